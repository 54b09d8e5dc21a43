// qlr_bench tick N | capture N WINDOW: prints the median in microseconds ("not
// measured", exit status 1, when the set-up was not as required).
// qlr_bench timer-floor | page-floor URL [DISCARD_AFTER_S]: runs a reference process
// until killed.
#include "Benches.h"
#include "Measure.h"
#include "platform/Platform.h"
#include "service/WebEngineSetup.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    const bool pageFloor = (argc == 3 || argc == 4) && QByteArray(argv[1]) == "page-floor";
    if (pageFloor)
        webengine::prepare();
    QApplication application(argc, argv);
    if (pageFloor)
        return runPageFloor(application.arguments()[2], argc == 4 ? application.arguments()[3].toInt() : 0);
    if (argc == 2 && QByteArray(argv[1]) == "timer-floor")
        return runTimerFloor();
    const QStringList args = application.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: qlr_bench tick COUNT | capture COUNT TERMINAL_WINDOW | timer-floor | page-floor URL\n";
        return 2;
    }
    const int count = args[2].toInt();
    auto platform = platform::createPlatform();
    double median = NotMeasured;
    if (args[1] == "tick")
        median = benchWatcherTick(*platform, count);
    else if (args[1] == "capture" && args.size() == 4)
        median = benchCapture(*platform, count, args[3]);
    QTextStream out(stdout);
    if (median < 0)
        out << "not measured\n";
    else
        out << QString::number(median, 'f', 1) << "\n";
    return median < 0 ? 1 : 0;
}

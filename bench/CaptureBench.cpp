#include "Benches.h"
#include "Measure.h"
#include "capture/SelectedTextCapture.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTextStream>

namespace {

// Selects a word of the terminal by double-clicking it, as a user does, and lets the
// back end see the new PRIMARY owner.
void selectWord(const QString& terminalWindow, int word)
{
    const int x = 20 + 72 * (word % 3); // "quillora", "benchmark", "selection"
    QProcess::execute("xdotool", {"mousemove", "--window", terminalWindow, QString::number(x), "8", "click",
                                  "--repeat", "2", "--delay", "60", "1"});
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 150)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

double benchCapture(platform::Platform& platform, int captures, const QString& terminalWindow)
{
    SelectedTextCapture capture(platform);
    const WindowHandle front = platform.applications().foregroundWindow();
    if (front == 0)
        return NotMeasured;
    std::vector<double> samples;
    QString text;
    for (int i = 0; i < captures; ++i) {
        // The button goes down (the watcher notes it), the selection is made, and the
        // release starts the capture: only the capture is timed.
        platform.applications().notePrimaryButtonDown(0);
        selectWord(terminalWindow, i);
        // The terminal's selection answers at once, within the call.
        samples.push_back(microsecondsOf([&] { capture.copySelectedText(front, [&](const QString& t) { text = t; }); }));
        if (text.isEmpty())
            return NotMeasured;
    }
    QTextStream(stderr) << "last capture: " << text << "\n";
    return medianOf(samples);
}

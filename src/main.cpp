#include "core/Application.h"
#include "platform/Platform.h"
#include "service/WebEngineSetup.h"
#include "service/WebServicePage.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!platform::prepareSession())
        return 1;
    webengine::prepare();
    QApplication app(argc, argv);
    // The program lives in the notification area; closing a window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    const auto platform = platform::createPlatform();
    if (QCoreApplication::arguments().contains(QStringLiteral("--quit")))
        return Application::quitRunningInstance(*platform) ? 0 : 1;
    if (QCoreApplication::arguments().contains(QStringLiteral("--translate")))
        return Application::translateInRunningInstance(*platform) ? 0 : 1;
    Application qlr(*platform, std::make_unique<WebServicePage>());
    if (!qlr.start())
        return 0;
    return QApplication::exec();
}

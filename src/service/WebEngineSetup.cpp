#include "service/WebEngineSetup.h"

#include <QCoreApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace webengine {

namespace {

bool runningAsRoot()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

void addChromiumFlag(const QString& flag)
{
    QStringList flags = qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").split(' ', Qt::SkipEmptyParts);
    if (!flags.contains(flag))
        flags.append(flag);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.join(' ').toLocal8Bit());
}

} // namespace

void prepare()
{
    // The page is never on screen, so nothing needs OpenGL: the view draws with Qt
    // Quick's software renderer and the engine without a GPU process. That keeps the
    // GL driver (on virtual servers a whole software rasteriser) out of memory.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    addChromiumFlag("--disable-gpu");
    // One hidden page needs one renderer, and no spare one kept warm for the next.
    addChromiumFlag("--renderer-process-limit=1");
    addChromiumFlag("--disable-features=SpareRendererForSitePerProcess");
    if (runningAsRoot())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace webengine

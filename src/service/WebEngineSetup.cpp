#include "service/WebEngineSetup.h"

#include <QCoreApplication>
#include <QDir>
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

bool hasRenderNode()
{
    return !QDir("/dev/dri").entryList({"renderD*"}, QDir::System).isEmpty();
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
    if (!QCoreApplication::instance())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (runningAsRoot())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!hasRenderNode())
        addChromiumFlag("--disable-gpu");
}

} // namespace webengine

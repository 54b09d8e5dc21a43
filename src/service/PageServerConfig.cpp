#include "service/PageServerConfig.h"

#include "platform/Files.h"

#include <QRegularExpression>
#include <QUrl>

std::optional<PageServerConfig> PageServerConfig::read(const QString& serviceAddress, platform::Files& files)
{
    const QUrl url(serviceAddress.trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().compare("file", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString page = url.toLocalFile();
    const qsizetype slash = page.lastIndexOf('/');
    if (slash <= 0)
        return std::nullopt;
    const QString pageFolder = page.left(slash);
    const QString parent = pageFolder.left(std::max<qsizetype>(pageFolder.lastIndexOf('/'), 0));
    PageServerConfig config;
    config.launcher = parent + "/server/translation-server.py";
    if (!files.fileExists(config.launcher))
        return std::nullopt;
    // The page reads apyPort from the object in its config.js; so does this, leaving
    // out what a line comment hides.
    static const QRegularExpression portEntry(QStringLiteral(R"(\bapyPort\s*:\s*(\d{1,6})\b)"));
    const QString script = QString::fromUtf8(files.readFile(pageFolder + "/config.js").value_or(QByteArray()));
    for (const QRegularExpressionMatch& match : portEntry.globalMatch(script)) {
        const qsizetype lineStart = script.lastIndexOf('\n', match.capturedStart()) + 1;
        if (script.mid(lineStart, match.capturedStart() - lineStart).contains(QStringLiteral("//")))
            continue;
        // 0 is no port to the page either.
        if (const int port = match.captured(1).toInt())
            config.port = port;
        break;
    }
    if (config.port < 1 || config.port > 65535)
        return std::nullopt;
    return config;
}

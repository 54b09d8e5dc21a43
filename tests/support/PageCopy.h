#pragma once
// The shipped service page copied into a folder of the test's own, talking to the
// translation server on a given port and publishing a given program version.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

class PageCopy {
public:
    // The copy's file:// address.
    QString install(int port, const QString& version, const QString& download = "https://example.org/get")
    {
        const QDir source(QLR_SOURCE_DIR "/service/page");
        for (const QString& name : source.entryList(QDir::Files))
            if (name != "config.js")
                QFile::copy(source.filePath(name), folder_.filePath(name));
        QFile config(folder_.filePath("config.js"));
        if (config.open(QIODevice::WriteOnly))
            config.write(QString("window.QUILLORA_PAGE = { apyPort: %1, version: \"%2\", download: \"%3\", "
                                 "requestTimeoutMs: 4000 };\n")
                             .arg(port)
                             .arg(version, download)
                             .toUtf8());
        return QUrl::fromLocalFile(folder_.filePath("index.html")).toString();
    }

private:
    QTemporaryDir folder_;
};

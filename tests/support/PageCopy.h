#pragma once
// The shipped service page copied into a folder of the test's own, talking to the
// translation server on a given port and publishing a given program version. The
// server's launcher goes into the "server" folder beside it, as it is installed, so
// that the program starts its own server for the copy.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

class PageCopy {
public:
    // The copy's file:// address.
    QString install(int port, const QString& version)
    {
        return QUrl::fromLocalFile(installInto(folder_.filePath("page"), port, version)).toString();
    }
    // A copy in a folder of this name, its address written as a person would: the
    // path as it is, blanks and all.
    QString installAsWritten(const QString& folderName, int port, const QString& version)
    {
        return "file://" + installInto(folder_.filePath(folderName + "/page"), port, version);
    }

private:
    // The path of the copy's index.html.
    QString installInto(const QString& folder, int port, const QString& version)
    {
        QDir().mkpath(folder);
        const QString serverFolder = QDir(folder).absoluteFilePath("../server");
        QDir().mkpath(serverFolder);
        QFile::copy(QLR_SOURCE_DIR "/service/server/translation-server.py", serverFolder + "/translation-server.py");
        const QDir source(QLR_SOURCE_DIR "/service/page");
        for (const QString& name : source.entryList(QDir::Files))
            if (name != "config.js")
                QFile::copy(source.filePath(name), QDir(folder).filePath(name));
        QFile config(QDir(folder).filePath("config.js"));
        if (config.open(QIODevice::WriteOnly))
            config.write(QString("window.QUILLORA_PAGE = { apyPort: %1, version: \"%2\", "
                                 "download: \"https://example.org/get\", requestTimeoutMs: 4000 };\n")
                             .arg(port)
                             .arg(version)
                             .toUtf8());
        return QDir(folder).filePath("index.html");
    }

    QTemporaryDir folder_;
};

#pragma once
// The shipped service page, copied into a temporary folder with its server port
// pointed at a test server, loaded into the real browser engine.

#include "TestProcess.h"
#include "service/WebEngineSetup.h"
#include "service/WebServicePage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

class ServicePageFixture : public testing::Test {
protected:
    static constexpr int LoadTimeoutMs = 30000;

    QTemporaryDir folder;
    std::unique_ptr<WebServicePage> page;

    static void SetUpTestSuite() { webengine::prepare(); }

    // Copies the page and writes its configuration for the server on port.
    QString installPage(int port, const QString& version = "2.0.40")
    {
        const QDir source(QLR_SOURCE_DIR "/service/page");
        for (const QString& name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), folder.filePath(name));
        QFile config(folder.filePath("config.js"));
        config.remove();
        EXPECT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(QString("window.QUILLORA_PAGE = { apyPort: %1, version: \"%2\", "
                             "download: \"https://example.org/get\", requestTimeoutMs: 4000 };\n")
                         .arg(port)
                         .arg(version)
                         .toUtf8());
        return QUrl::fromLocalFile(folder.filePath("index.html")).toString();
    }

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        page = std::make_unique<WebServicePage>();
    }

    void TearDown() override { page.reset(); }

    QWebEnginePage* browserPage() { return static_cast<QWebEngineView*>(page->view())->page(); }

    // Runs script in the page's own world and returns its result as text.
    QString pageScript(const QString& script)
    {
        QString result;
        bool done = false;
        browserPage()->runJavaScript(script, [&](const QVariant& value) {
            result = value.toString();
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        return result;
    }

    // Where the page is and what its status line says, for failure messages.
    std::string pageState()
    {
        return pageScript("location.href + ' | ' + (document.getElementById('status') || {}).textContent")
            .toStdString();
    }

    bool waitReady(int timeoutMs = LoadTimeoutMs)
    {
        return QTest::qWaitFor([&] { return !page->outerHtml(page::text).value_or(QString()).isEmpty(); }, timeoutMs);
    }

    // Waits until the reads reflect every write made so far.
    void settle() { ASSERT_TRUE(QTest::qWaitFor([&] { return page->isCurrent(); }, 5000)); }

    // Clicks btn with the text and waits for a non-empty translation.
    QString translate(const QString& text, int timeoutMs = 10000)
    {
        page->setValue(page::text, text);
        page->click(page::btn);
        QString result;
        (void)QTest::qWaitFor(
            [&] {
                result = page->innerText(page::translation).value_or(QString());
                return !result.isEmpty();
            },
            timeoutMs);
        return result;
    }
};

#pragma once
// A copy of the shipped service page in the real browser engine, talking to a
// loopback stand-in for the translation server (tests/support/apy_standin.py:
// "eng|spa" gives "sp:" and the text) or to a real one.

#include "DesktopDriver.h"
#include "PageCopy.h"
#include "service/WebEngineSetup.h"
#include "service/WebServicePage.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

class ServicePageFixture : public testing::Test {
protected:
    static constexpr int LoadTimeoutMs = 30000;
    DesktopDriver driver;
    PageCopy pageCopy;
    std::unique_ptr<WebServicePage> page = std::make_unique<WebServicePage>();
    QProcess* standIn = nullptr;

    static void SetUpTestSuite() { webengine::prepare(); }

    // Starts the stand-in, each answer delayed by delay seconds; its port.
    int startStandIn(double delay = 0)
    {
        standIn = driver.start("python3", {QLR_SOURCE_DIR "/tests/support/apy_standin.py", "--delay",
                                           QString::number(delay)});
        return standIn && standIn->waitForReadyRead(10000) ? standIn->readLine().trimmed().toInt() : 0;
    }
    // Loads the copy of the page for the server on port with the direction dir.
    bool load(int port, const QString& dir = "enes", int timeoutMs = LoadTimeoutMs)
    {
        page->navigate(pageCopy.install(port, "2.0.40") + "?dir=" + dir);
        return waitReady(timeoutMs);
    }
    bool waitReady(int timeoutMs = LoadTimeoutMs)
    {
        return QTest::qWaitFor([&] { return !page->outerHtml(page::text).value_or(QString()).isEmpty(); }, timeoutMs);
    }
    // Runs script in the page's own world; its result as text.
    QString pageScript(const QString& script)
    {
        QString result;
        bool done = false;
        static_cast<QWebEngineView*>(page->view())->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value.toString();
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        return result;
    }
    // Where the page is and what its status line says, for failure messages.
    std::string pageState()
    {
        return pageScript("location.href + ' | ' + (document.getElementById('status') || {}).textContent").toStdString();
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

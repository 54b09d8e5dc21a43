// What the popup shows, on the real desktop with the real page and server: only the
// newest request's answer, nothing for a selection of white space, and the popup's own
// text left to the user, who selects part of it and copies that.
#include "ProgramOnDesktop.h"
#include "common/LinkLabel.h"
#include "core/TranslationPipeline.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextCursor>
#include <QTextEdit>

namespace {

class WhatThePopupShows : public ProgramOnDesktop {
protected:
    void TearDown() override
    {
        server->setStopped(false);
        ProgramOnDesktop::TearDown();
    }
    // The text stays as it is for the whole time.
    bool popupKeeps(const QString& text, int ms)
    {
        QElapsedTimer watched;
        watched.start();
        while (watched.elapsed() < ms) {
            if (popup().shownText() != text)
                return false;
            QTest::qWait(50);
        }
        return true;
    }
};

TEST_F(WhatThePopupShows, OnlyTheNewestRequestsAnswerAndEachRequestGetsItsWholeTime)
{
    ASSERT_NO_FATAL_FAILURE(startProgram({"ControlMode=3", "SmoothGlide=0", "servertimeout=4", "Transparency=0",
                                          "timeoutstr=Too slow"}));
    const Terminal term = openTranslatedTerminal();
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs));
    dismiss(term.at(60, 14));

    // A word asked of a server that hangs, dismissed; then the sentence again, cached.
    server->setStopped(true);
    DesktopDriver::click(term.at(2 + Sentence.indexOf("garden") + 2, 3), 1, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return request().newestText() == "garden"; }, 10000));
    QElapsedTimer sinceGarden;
    sinceGarden.start();
    dismiss(term.at(60, 14));
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs));
    EXPECT_TRUE(popupKeeps(SentenceEs, 4500 - int(sinceGarden.elapsed()) + 1000))
        << "the word's dots and time-out never reach it: " << popup().shownText().toStdString();
    dismiss(term.at(60, 14));

    // A word asked soon after another was given up on waits its own whole time.
    DesktopDriver::click(term.at(2 + Sentence.indexOf("house") + 2, 3), 1, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return request().newestText() == "house"; }, 10000));
    dismiss(term.at(60, 14));
    DesktopDriver::click(term.at(2 + Sentence.indexOf("green") + 2, 3), 1, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return request().newestText() == "green"; }, 10000));
    QElapsedTimer sinceGreen;
    sinceGreen.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup().shownText() == "Too slow"; }, 10000));
    EXPECT_GE(sinceGreen.elapsed(), 3500) << "not the time left over from the word before";
}

TEST_F(WhatThePopupShows, NothingForASelectionOfLineBreaksAlone)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    const Terminal term = openTranslatedTerminal();
    const double releases = app->pipeline()->watcher().lastReleaseTime();
    DesktopDriver::drag(term.at(5, 0), term.at(5, 2));
    const QByteArray primary = DesktopDriver::selection("UTF8_STRING", "primary");
    ASSERT_TRUE(!primary.isEmpty() && primary.trimmed().isEmpty()) << "the terminal selected empty rows: " << primary.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->pipeline()->watcher().lastReleaseTime() != releases; }, 5000));
    EXPECT_FALSE(popup().translationWindow().isVisible() || popup().icon().isVisible());
    EXPECT_FALSE(request().isAwaiting()) << "nothing waits for an answer";
    selectSentence(term);
    EXPECT_TRUE(waitForPopupText(SentenceEs));
}

TEST_F(WhatThePopupShows, PartOfATranslationIsSelectedAndCopiedAndTheCloseMarkClosesForGood)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn(QFileInfo(QLR_COPY_TARGET).fileName());
    QProcess* editor = driver.startCopyTarget({"--copy-on", "ctrl-c", "--text", Sentence, "--title", "qlr editor"});
    ASSERT_NE(editor, nullptr);
    const DesktopDriver::Window window = DesktopDriver::waitForWindow("qlr editor");
    DesktopDriver::activate(window.id);
    ASSERT_TRUE(waitForForeground(QFileInfo(QLR_COPY_TARGET).fileName()));
    const auto selectInEditor = [&] {
        DesktopDriver::drag(window.client.topLeft() + QPoint(40, 50), window.client.topLeft() + QPoint(200, 60));
        return waitForPopupText(SentenceEs);
    };
    ASSERT_TRUE(selectInEditor());
    editor->readAllStandardOutput();

    // A drag across "casa es grande" in the popup's text, long enough to be a selection
    // anywhere else.
    QTextEdit& text = *popup().translationWindow().textView;
    QTextCursor cursor(text.document());
    const QString part = "casa es grande";
    const int start = SentenceEs.indexOf(part);
    cursor.setPosition(start);
    const QPoint from = text.viewport()->mapToGlobal(text.cursorRect(cursor).center() + QPoint(1, 0));
    cursor.setPosition(start + part.size());
    const QPoint to = text.viewport()->mapToGlobal(text.cursorRect(cursor).center());
    DesktopDriver::drag(platform::qt::toDevice(from), platform::qt::toDevice(to));
    ASSERT_GT(to.x() - from.x(), 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return text.textCursor().selectedText() == part; }, 5000))
        << text.textCursor().selectedText().toStdString();
    QTest::qWait(1200); // long enough that the next click is no double click with the drag
    EXPECT_EQ(popup().shownText(), SentenceEs) << "the popup's own text was not taken for a selection";
    EXPECT_EQ(text.textCursor().selectedText(), part);
    const LinkLabel* copy = popup().translationWindow().copyLink;
    clickOnProgram(copy->mapToGlobal(copy->rect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !popup().translationWindow().isVisible(); }, 5000));
    EXPECT_EQ(QString::fromUtf8(DesktopDriver::selection()), part);
    EXPECT_FALSE(editor->readAllStandardOutput().contains("ctrl=1")) << "no copy keys went to the editor";
    QTest::qWait(800);

    // The close mark, clicked at once where the selection ended: closed, and it stays so.
    ASSERT_TRUE(selectInEditor());
    editor->readAllStandardOutput();
    clickOnProgram(popup().icon().geometry().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !popup().translationWindow().isVisible(); }, 5000));
    QTest::qWait(1500);
    EXPECT_FALSE(popup().translationWindow().isVisible() || popup().icon().isVisible()) << "no double click reopened it";
    EXPECT_FALSE(editor->readAllStandardOutput().contains("ctrl=1"));
}

} // namespace

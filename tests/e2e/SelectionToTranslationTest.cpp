// From a selection in a real application to the translation shown in the popup: the
// whole program in this process on the real X11 desktop, with the real service page,
// a real translation server, and real pointer input through XTest.
#include "ApyServer.h"
#include "DesktopDriver.h"
#include "PageCopy.h"
#include "common/AppState.h"
#include "common/FileBaseName.h"
#include "common/LinkLabel.h"
#include "config/SettingsFiles.h"
#include "core/Application.h"
#include "core/TrayMenu.h"
#include "platform/Platform.h"
#include "popup/FloatingIcon.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "service/WebServicePage.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The real page, with a count of the translations asked of it.
class CountingPage : public WebServicePage {
public:
    int requests = 0;
    void click(const QString& id) override
    {
        requests += id == page::btn;
        WebServicePage::click(id);
    }
};

// Long enough that the popup gets its footer row with the links.
const QString Sentence = "The house is big and the garden is green.";
const QString SentenceEs = "La casa es grande y el jardín es verde.";

class SelectionToTranslation : public testing::Test {
protected:
    static inline std::unique_ptr<ApyServer> server;
    static inline std::unique_ptr<PageCopy> pageCopy;
    static inline QString pageAddress;
    QTemporaryDir home;
    std::unique_ptr<platform::Platform> platform;
    std::unique_ptr<Application> app;
    CountingPage* page = nullptr;
    DesktopDriver driver;

    static void SetUpTestSuite()
    {
        server = std::make_unique<ApyServer>(ApyServer::freePort());
        pageCopy = std::make_unique<PageCopy>();
        if (server->start(120000))
            pageAddress = pageCopy->install(server->port(), Application::programVersion());
    }
    static void TearDownTestSuite()
    {
        server.reset();
        pageCopy.reset();
    }

    void SetUp() override
    {
        ASSERT_FALSE(pageAddress.isEmpty()) << "apertium-apy did not start (scripts/install-deps.sh installs it)";
        qputenv("AppData", home.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // The settings files are named after the running executable, this test.
        const QString base = fileBaseName(QCoreApplication::applicationFilePath());
        QDir(home.path()).mkpath(base);
        QFile ini(home.filePath(base + "/" + base + ".ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(SettingsFiles::toUtf16Le("serviceurl=" + pageAddress +
                                           "\r\nlanguage=enes\r\nControlMode=3\r\nSmoothGlide=0\r\n"
                                           "hideiconinterval=30\r\nservertimeout=30\r\nTransparency=0\r\n"
                                           "transwidth=450\r\nFontSize=10\r\ngooglelabel=Powered by Apertium\r\n"
                                           "Border=1\r\nShadow=1\r\n"));
    }
    void TearDown() override { stopProgram(); }

    void startProgram()
    {
        platform = platform::createPlatform();
        auto counting = std::make_unique<CountingPage>();
        page = counting.get();
        app = std::make_unique<Application>(*platform, std::move(counting));
        ASSERT_TRUE(app->start());
        ASSERT_TRUE(QTest::qWaitFor([&] { return state().connected; }, 90000)) << "the page never became ready";
    }
    void stopProgram()
    {
        app.reset();
        platform.reset();
    }

    AppState& state() { return app->state(); }
    Popup& popup() { return *app->popup(); }
    void setMode(int mode) { state().settings.set("ControlMode", QString::number(mode)); }
    QString storeApplication() { return fileBaseName(platform->files().executablePath()); }
    void enableTranslationIn(const QString& exe)
    {
        platform->store().setValue(storeApplication(), "Applications", exe, "-1");
    }
    // Waits until the watcher has taken the application in front with translation on.
    bool waitForForeground(const QString& exe, bool enabled = true)
    {
        return QTest::qWaitFor(
            [&] { return state().currentApplication == exe && state().translationEnabled == enabled; }, 10000);
    }
    bool waitForPopupText(const QString& text)
    {
        return QTest::qWaitFor(
            [&] { return popup().translationWindow().isVisible() && popup().shownText() == text; }, 30000);
    }
    // A click in the application, away from the popup, dismisses it.
    void dismiss(QPoint elsewhere)
    {
        DesktopDriver::click(elsewhere);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !popup().translationWindow().isVisible() && !popup().icon().isVisible(); }, 5000));
        QTest::qWait(800); // long enough that the application takes the next click as a new one
    }

    // An xterm with the sentence on its fourth row, and where its characters lie.
    struct Terminal {
        DesktopDriver::Window window;
        int cellW = 0, cellH = 0;
        QPoint at(int column, int row) const
        {
            return window.client.topLeft() + QPoint(2 + column * cellW + cellW / 2, 2 + row * cellH + cellH / 2);
        }
    };
    Terminal openTerminal()
    {
        static int terminals = 0;
        const QString title = QString("qlr-e2e-terminal-%1-%2").arg(QCoreApplication::applicationPid()).arg(++terminals);
        Terminal t{driver.startXterm(title, "\n\n\n  " + Sentence)};
        EXPECT_TRUE(t.window) << "the terminal never appeared";
        DesktopDriver::activate(t.window.id);
        t.cellW = (t.window.client.width() - 4) / 100;
        t.cellH = (t.window.client.height() - 4) / 20;
        return t;
    }
    // Drags across the sentence; the terminal itself must have seen the selection.
    void selectSentence(const Terminal& t)
    {
        QByteArray primary;
        for (int attempt = 0; attempt < 2 && primary != Sentence.toUtf8(); ++attempt) {
            if (attempt > 0)
                QTest::qWait(800); // a loaded machine may miss a synthetic drag once
            DesktopDriver::drag(t.at(2, 3) - QPoint(t.cellW / 2 - 1, 0), t.at(2 + Sentence.size(), 3));
            primary = DesktopDriver::selection("UTF8_STRING", "primary");
        }
        EXPECT_EQ(QString::fromUtf8(primary), Sentence);
    }
};

TEST_F(SelectionToTranslation, XtermInEveryControlMode)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("xterm");
    const Terminal term = openTerminal();
    ASSERT_TRUE(waitForForeground("xterm")) << state().currentApplication.toStdString();

    // Just select: the popup opens at once with the translation.
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    EXPECT_EQ(popup().translationWindow().directionLink->text(), "en → es");
    EXPECT_EQ(DesktopDriver::activeWindow(), term.window.id) << "the popup never takes the focus";

    // The copy link, clicked for real: the translation goes to the clipboard and the
    // popup closes (nothing, not even the shadow, stands in the way of the click).
    QTest::qWait(300);
    const LinkLabel* copy = popup().translationWindow().copyLink;
    DesktopDriver::click(copy->mapToGlobal(copy->rect().center()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup().translationWindow().isVisible(); }, 5000));
    EXPECT_EQ(QString::fromUtf8(DesktopDriver::selection()), SentenceEs);
    QTest::qWait(800);

    // A double click on a word.
    DesktopDriver::doubleClick(term.at(2 + Sentence.indexOf("house") + 2, 3));
    ASSERT_TRUE(waitForPopupText("Casa")) << popup().shownText().toStdString() << " for "
                                          << state().lastRequestText.toStdString();
    dismiss(term.at(60, 14));

    // Click the G icon: the selection offers the icon; a click on it opens the popup.
    setMode(2);
    const int requests = page->requests;
    selectSentence(term);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup().icon().isVisible(); }, 5000));
    EXPECT_FALSE(popup().translationWindow().isVisible());
    DesktopDriver::click(popup().icon().geometry().center());
    ASSERT_TRUE(waitForPopupText(SentenceEs));
    EXPECT_EQ(page->requests, requests) << "a repeated selection is answered from the cache";
    dismiss(term.at(60, 14));

    // Select and left-click: nothing shows until a click near the end of the selection.
    setMode(1);
    selectSentence(term);
    QTest::qWait(600);
    EXPECT_FALSE(popup().translationWindow().isVisible() || popup().icon().isVisible());
    DesktopDriver::click(term.at(2 + Sentence.size() - 1, 3) + QPoint(3, 0));
    ASSERT_TRUE(waitForPopupText(SentenceEs));
}

TEST_F(SelectionToTranslation, QtEditorByDragAndDoubleClick)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("qlr_text_editor");
    QProcess* editor = driver.start(QLR_TEXT_EDITOR, {"qlr-e2e-editor", Sentence, "--word", "house"});
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(DesktopDriver::waitForWindow("qlr-e2e-editor"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->canReadLine() && editor->bytesAvailable() > 20; }, 15000));
    QTest::qWait(300);
    QPoint spanStart, spanEnd, word;
    for (const QByteArray& line : editor->readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.value(0) == "span" && f.size() == 4) {
            spanStart = {f[1].toInt(), f[2].toInt()};
            spanEnd = {f[3].toInt(), f[2].toInt()};
        } else if (f.value(0) == "word" && f.size() == 3) {
            word = {f[1].toInt(), f[2].toInt()};
        }
    }
    ASSERT_FALSE(spanEnd.isNull());
    ASSERT_TRUE(waitForForeground("qlr_text_editor")) << state().currentApplication.toStdString();
    DesktopDriver::drag(spanStart, spanEnd);
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    dismiss(spanStart + QPoint(0, 120));
    DesktopDriver::doubleClick(word);
    ASSERT_TRUE(waitForPopupText("Casa")) << popup().shownText().toStdString();
}

TEST_F(SelectionToTranslation, TheUsersClipboardIsBackByteForByte)
{
    ASSERT_NE(driver.startCopyTarget({"--own-clipboard"}), nullptr);
    const auto before = DesktopDriver::selectionContents();
    ASSERT_FALSE(before.value("image/png").isEmpty());
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("xterm");
    const Terminal term = openTerminal();
    ASSERT_TRUE(waitForForeground("xterm"));
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs));
    EXPECT_EQ(DesktopDriver::selectionContents(), before);
}

TEST_F(SelectionToTranslation, SwitchedOffInXtermStaysOffAfterARestart)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("xterm");
    const Terminal term = openTerminal();
    ASSERT_TRUE(waitForForeground("xterm"));

    // The tray menu's first item switches translation off for xterm.
    QAction* toggle = app->trayMenu()->toggleItem;
    ASSERT_TRUE(toggle->isEnabled());
    EXPECT_EQ(toggle->text(), "Disable in xterm");
    toggle->trigger();
    EXPECT_FALSE(state().translationEnabled);
    EXPECT_EQ(platform->store().value(storeApplication(), "Applications", "xterm", ""), "0");
    selectSentence(term);
    QTest::qWait(1500);
    EXPECT_FALSE(popup().translationWindow().isVisible() || popup().icon().isVisible());

    stopProgram();
    ASSERT_NO_FATAL_FAILURE(startProgram());
    DesktopDriver::activate(term.window.id);
    ASSERT_TRUE(waitForForeground("xterm", false));
    EXPECT_EQ(app->trayMenu()->toggleItem->text(), "Enable in xterm");
    selectSentence(term);
    QTest::qWait(1500);
    EXPECT_FALSE(popup().translationWindow().isVisible());
}

} // namespace

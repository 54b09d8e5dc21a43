// From a selection in a real application to the translation shown in the popup: the
// whole program in this process on the real X11 desktop, with the real service page
// and the real translation server, driven by real pointer input through XTest.
#include "DesktopDriver.h"
#include "config/SettingsFiles.h"
#include "common/AppState.h"
#include "core/Application.h"
#include "core/MainWindow.h"
#include "platform/Platform.h"
#include "common/LinkLabel.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "popup/FloatingIcon.h"
#include "common/TextCacheKey.h"
#include "service/WebServicePage.h"

#include <QAction>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The real page, with a count of the translations asked of it.
class CountingPage : public ServicePage {
public:
    int requests = 0;
    WebServicePage inner;

    void navigate(const QString& url) override { inner.navigate(url); }
    std::optional<QString> outerHtml(const QString& id) override { return inner.outerHtml(id); }
    void clearOuterHtml(const QString& id) override { inner.clearOuterHtml(id); }
    std::optional<QString> value(const QString& id) override { return inner.value(id); }
    void setValue(const QString& id, const QString& text) override { inner.setValue(id, text); }
    void click(const QString& id) override
    {
        requests += id == page::btn;
        inner.click(id);
    }
    std::optional<QString> innerText(const QString& id) override { return inner.innerText(id); }
    std::optional<QList<Option>> options(const QString& id) override { return inner.options(id); }
    QWidget* view() override { return inner.view(); }
    void setExternalLinkHandler(std::function<void(const QString&)> handler) override
    {
        inner.setExternalLinkHandler(std::move(handler));
    }
};

// Long enough that the popup gets its footer row with the links.
const QString Sentence = "The house is big and the garden is green.";
const QString SentenceEs = "La casa es grande y el jardín es verde.";

class SelectionToTranslation : public testing::Test {
protected:
    static inline QString apyPid;
    QTemporaryDir home;
    std::unique_ptr<platform::Platform> platform;
    std::unique_ptr<Application> app;
    CountingPage* page = nullptr;
    DesktopDriver desktop;

    static void SetUpTestSuite()
    {
        // The server the shipped page talks to; started here when none answers.
        apyPid = QString::fromUtf8(DesktopDriver::run(QLR_SOURCE_DIR "/scripts/apy.sh", {"start"}, 120000)).trimmed();
    }
    static void TearDownTestSuite()
    {
        if (!apyPid.isEmpty())
            DesktopDriver::run(QLR_SOURCE_DIR "/scripts/apy.sh", {"stop", apyPid});
    }

    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        QFile::setPermissions(home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("AppData", home.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
        // The settings files are named after the running executable, this test.
        const QString base = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
        QDir(home.path()).mkpath(base);
        QFile ini(home.filePath(base + "/" + base + ".ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        // The shipped settings lie beside the program, not beside this test: the page
        // address and the texts come from here.
        ini.write(SettingsFiles::toUtf16Le("serviceurl=file://" QLR_SOURCE_DIR "/service/page/index.html\r\n"
                                    "language=enes\r\nControlMode=3\r\nSmoothGlide=0\r\nhideiconinterval=30\r\n"
                                    "servertimeout=30\r\nCheckConnectionInterval=10\r\nTransparency=0\r\n"
                                    "transwidth=450\r\nFontSize=10\r\nPopupIfNotConnected=1\r\n"
                                    "NotConnectedStr=Not connected\r\ntimeoutstr=Timed out\r\n"
                                    "googlelabel=Powered by Apertium\r\nBorder=1\r\nShadow=1\r\n"));
    }

    void TearDown() override { stopProgram(); }

    void startProgram()
    {
        platform = platform::createPlatform();
        auto counting = std::make_unique<CountingPage>();
        page = counting.get();
        app = std::make_unique<Application>(*platform, std::move(counting));
        ASSERT_TRUE(app->start());
        ASSERT_TRUE(QTest::qWaitFor([&] { return app->state().connected; }, 90000))
            << "the page never became ready: " << pageState() << " url "
            << app->state().settings.value("serviceurl").toStdString();
    }
    // Where the page is and what its status line says, for failure messages.
    std::string pageState()
    {
        QString state;
        bool done = false;
        static_cast<QWebEngineView*>(page->view())
            ->page()
            ->runJavaScript("location.href + ' | ' + (document.getElementById('status') || {}).textContent",
                            [&](const QVariant& value) {
                                state = value.toString();
                                done = true;
                            });
        if (!QTest::qWaitFor([&] { return done; }, 5000))
            return "the page does not answer";
        return state.toStdString();
    }
    void stopProgram()
    {
        app.reset();
        platform.reset();
    }

    AppState& state() { return app->state(); }
    Popup& popup() { return *app->popup(); }
    void setMode(int mode) { state().settings.set("ControlMode", QString::number(mode)); }
    QString storeApplication() { return SettingsFiles::fileBaseName(platform->files().executablePath()); }
    void enableTranslationIn(const QString& exe)
    {
        platform->store().setValue(storeApplication(), "Applications", exe, "-1");
    }

    // Waits until the watcher has taken the application in front and translation is on.
    bool waitForForeground(const QString& exe)
    {
        return QTest::qWaitFor([&] { return state().currentApplication == exe && state().translationEnabled; }, 10000);
    }
    bool waitForPopupText(const QString& text, int timeoutMs = 30000)
    {
        return QTest::qWaitFor([&] { return popup().translationWindow().isVisible() && popup().shownText() == text; },
                               timeoutMs);
    }
    // A click in the application, away from the popup, dismisses it. (A click on the
    // desktop would not: the desktop is no application the watcher looks at.)
    void dismiss(QPoint elsewhere)
    {
        DesktopDriver::click(elsewhere.x(), elsewhere.y());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !popup().translationWindow().isVisible() && !popup().icon().isVisible(); }, 5000));
        // Long enough that the application takes the next click as a new one.
        QTest::qWait(800);
    }

    // An xterm with the sentence on its fourth row; where its characters lie.
    struct Terminal {
        unsigned long window;
        QRect client;
        int cellW, cellH;
        QPoint at(int column, int row) const
        {
            return {client.left() + 2 + column * cellW + cellW / 2, client.top() + 2 + row * cellH + cellH / 2};
        }
    };
    Terminal openTerminal()
    {
        Terminal t;
        // A title of its own, so that a closing terminal of an earlier test is never taken.
        static int terminals = 0;
        const QString title = QString("qlr-e2e-terminal-%1-%2").arg(QCoreApplication::applicationPid()).arg(++terminals);
        t.window = desktop.startXterm(title, "\n\n\n  " + Sentence);
        DesktopDriver::activate(t.window);
        QTest::qWait(300); // the window manager has placed it for good
        t.client = DesktopDriver::windowGeometry(t.window);
        t.cellW = (t.client.width() - 4) / 100;
        t.cellH = (t.client.height() - 4) / 20;
        return t;
    }
    void selectSentence(const Terminal& t)
    {
        // From the left edge of the first character to just past the last one.
        // The terminal itself must have seen the selection, or the test drove it wrongly;
        // on a loaded machine a synthetic drag is tried once more.
        QByteArray primary;
        for (int attempt = 0; attempt < 2 && primary != Sentence.toUtf8(); ++attempt) {
            if (attempt > 0)
                QTest::qWait(800);
            DesktopDriver::drag(t.at(2, 3) - QPoint(t.cellW / 2 - 1, 0), t.at(2 + Sentence.size(), 3));
            primary = DesktopDriver::run("xclip", {"-o", "-selection", "primary"}).trimmed();
        }
        EXPECT_EQ(QString::fromUtf8(primary), Sentence)
            << "terminal at " << t.client.x() << "," << t.client.y() << " " << t.client.width() << "x"
            << t.client.height() << ", cells " << t.cellW << "x" << t.cellH;
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
    EXPECT_EQ(DesktopDriver::activeWindow(), term.window) << "the popup never takes the focus";

    // The copy link, clicked for real: the translation goes to the clipboard and the
    // popup closes (nothing, not even the shadow, stands in the way of the click).
    QTest::qWait(300);
    const QPoint copy = popup().translationWindow().copyLink->mapToGlobal(popup().translationWindow().copyLink->rect().center());
    DesktopDriver::click(copy.x(), copy.y());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup().translationWindow().isVisible(); }, 5000));
    EXPECT_EQ(QString::fromUtf8(DesktopDriver::clipboard("UTF8_STRING")), SentenceEs);
    QTest::qWait(800);

    // A double click on a word.
    const QPoint house = term.at(2 + Sentence.indexOf("house") + 2, 3);
    DesktopDriver::doubleClick(house.x(), house.y());
    ASSERT_TRUE(waitForPopupText("Casa")) << popup().shownText().toStdString() << " for "
                                          << state().lastRequestText.toStdString() << " primary "
                                          << DesktopDriver::run("xclip", {"-o", "-selection", "primary"}).toStdString();
    dismiss(term.at(60, 14));

    // Click the G icon: the selection offers the icon; a click on it opens the popup.
    setMode(2);
    const int requests = page->requests;
    selectSentence(term);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup().icon().isVisible(); }, 5000));
    EXPECT_FALSE(popup().translationWindow().isVisible());
    const QRect icon = popup().icon().geometry();
    DesktopDriver::click(icon.center().x(), icon.center().y());
    ASSERT_TRUE(waitForPopupText(SentenceEs));
    EXPECT_EQ(page->requests, requests) << "a repeated selection is answered from the cache";
    dismiss(term.at(60, 14));

    // Select and left-click: nothing shows until a click near the end of the selection.
    setMode(1);
    selectSentence(term);
    QTest::qWait(600);
    EXPECT_FALSE(popup().translationWindow().isVisible());
    EXPECT_FALSE(popup().icon().isVisible());
    const QPoint end = term.at(2 + Sentence.size() - 1, 3);
    DesktopDriver::click(end.x() + 3, end.y());
    ASSERT_TRUE(waitForPopupText(SentenceEs));
}

TEST_F(SelectionToTranslation, QtEditorByDragAndDoubleClick)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("qlr_text_editor");
    QProcess editor;
    editor.start(QLR_TEXT_EDITOR, {"qlr-e2e-editor", Sentence, "--word", "house"});
    ASSERT_TRUE(editor.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor.canReadLine() && editor.bytesAvailable() > 20; }, 15000));
    QTest::qWait(300);
    QPoint spanStart, spanEnd, word;
    for (const QByteArray& line : editor.readAllStandardOutput().split('\n')) {
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
    DesktopDriver::doubleClick(word.x(), word.y());
    ASSERT_TRUE(waitForPopupText("Casa")) << popup().shownText().toStdString() << " for "
                                          << state().lastRequestText.toStdString() << " primary "
                                          << DesktopDriver::run("xclip", {"-o", "-selection", "primary"}).toStdString();
    editor.kill();
    editor.waitForFinished();
}

TEST_F(SelectionToTranslation, TheUsersClipboardIsBackByteForByte)
{
    QProcess owner;
    owner.start(QLR_COPY_TARGET, {"--own-clipboard"});
    ASSERT_TRUE(owner.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([] { return DesktopDriver::clipboardTargets().contains("image/png"); }, 10000));
    const QStringList targets = DesktopDriver::clipboardTargets();
    QMap<QString, QByteArray> before;
    for (const QString mime : {"text/plain", "text/html", "image/png"})
        before.insert(mime, DesktopDriver::clipboard(mime));
    ASSERT_FALSE(before.value("image/png").isEmpty());

    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("xterm");
    const Terminal term = openTerminal();
    ASSERT_TRUE(waitForForeground("xterm")) << state().currentApplication.toStdString() << " enabled "
                                            << state().translationEnabled;
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs));

    for (auto it = before.cbegin(); it != before.cend(); ++it)
        EXPECT_EQ(DesktopDriver::clipboard(it.key()), it.value()) << it.key().toStdString();
    for (const QString mime : {"text/plain", "text/html", "image/png"})
        EXPECT_TRUE(DesktopDriver::clipboardTargets().contains(mime)) << mime.toStdString();
    EXPECT_FALSE(DesktopDriver::clipboardTargets().contains("x-kde-passwordManagerHint"));
    owner.kill();
    owner.waitForFinished();
}

TEST_F(SelectionToTranslation, SwitchedOffInXtermStaysOffAfterARestart)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("xterm");
    const Terminal term = openTerminal();
    ASSERT_TRUE(waitForForeground("xterm")) << state().currentApplication.toStdString() << " enabled "
                                            << state().translationEnabled;

    // The tray menu's first item switches translation off for xterm.
    ASSERT_TRUE(app->mainForm()->toggleItem->isEnabled());
    EXPECT_EQ(app->mainForm()->toggleItem->text(), "Disable in xterm");
    app->mainForm()->toggleItem->trigger();
    EXPECT_FALSE(state().translationEnabled);
    EXPECT_EQ(platform->store().value(storeApplication(), "Applications", "xterm", ""), "0");
    selectSentence(term);
    QTest::qWait(1500);
    EXPECT_FALSE(popup().translationWindow().isVisible());
    EXPECT_FALSE(popup().icon().isVisible());

    stopProgram();
    ASSERT_NO_FATAL_FAILURE(startProgram());
    DesktopDriver::activate(term.window);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().currentApplication == "xterm"; }, 10000));
    EXPECT_FALSE(state().translationEnabled);
    EXPECT_EQ(app->mainForm()->toggleItem->text(), "Enable in xterm");
    selectSentence(term);
    QTest::qWait(1500);
    EXPECT_FALSE(popup().translationWindow().isVisible());
}

} // namespace

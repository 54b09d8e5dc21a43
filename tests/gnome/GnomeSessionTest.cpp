// The whole program in a headless GNOME Shell (scripts/gnomedesktop.sh) running the
// program's extension: foot, a native Wayland terminal, shows the sentence; the test
// extension's virtual pointer drags across it; the program learns of the selection,
// its text, the buttons and the application in front only through the extension.
#include "ProgramOnDesktop.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFileInfo>
#include <QImage>
#include <QSettings>

namespace {

// The test extension (scripts/gnome-test-extension): real input through a virtual
// pointer on the Shell's seat, window places, notifications and screenshots.
class ShellTestDesktop {
public:
    bool isReady() { return desktop_.isValid(); }
    template <typename... Args>
    QList<QVariant> call(const char* method, Args... args)
    {
        const QDBusMessage reply = desktop_.call(QString::fromLatin1(method), args...);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << method << ": " << reply.errorMessage().toStdString();
        return reply.arguments();
    }
    bool answersTrue(const char* method, const QString& a, const QString& b = {})
    {
        const auto args = b.isNull() ? call(method, a) : call(method, a, b);
        return !args.isEmpty() && args[0].toBool();
    }
    void move(QPoint to) { call("MovePointer", double(to.x()), double(to.y())); }
    void button(bool pressed) { call("Button", 1u, pressed); }
    void click(QPoint at)
    {
        move(at);
        button(true);
        button(false);
    }
    // A null rectangle while the window is not there or not sized yet.
    QRect windowRect(const QString& appId)
    {
        const auto args = call("WindowRect", appId);
        return args.size() == 4 && args[2].toInt() > 0
                   ? QRect(args[0].toInt(), args[1].toInt(), args[2].toInt(), args[3].toInt())
                   : QRect();
    }

private:
    QDBusInterface desktop_{"org.quillora.ShellTest", "/org/quillora/ShellTest", "org.quillora.ShellTest"};
};

// What the application holds as the primary selection, as the program's extension reads it.
QString primaryText()
{
    QDBusInterface shell("org.quillora.Shell", "/org/quillora/Shell", "org.quillora.Shell");
    return QDBusReply<QString>(shell.call("GetPrimaryText")).value();
}

// The share of the popup's own pixels that the screen shows where it says it is.
double shownShare(const QImage& screen, const QImage& popup, QPoint at)
{
    int same = 0;
    for (int y = 0; y < popup.height(); ++y)
        for (int x = 0; x < popup.width(); ++x) {
            const QColor a = popup.pixelColor(x, y), b = screen.pixelColor(at + QPoint(x, y));
            same += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 24;
        }
    return popup.isNull() ? 0 : double(same) / (popup.width() * popup.height());
}

} // namespace

class GnomeSession : public ProgramOnDesktop {
protected:
    ShellTestDesktop shell;
    QTemporaryDir shared;

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("QLR_GNOME_LOG")) << "run through scripts/gnomedesktop.sh";
        ASSERT_TRUE(shell.isReady());
        ProgramOnDesktop::SetUp();
    }

    // A foot terminal without a title bar, with the sentence on its first line, once the
    // Shell has sized it.
    void openTerminal(const QString& appId)
    {
        driver.start("foot", {"-a", appId, "-o", "csd.size=0", "-o", "pad=2x2", "sh", "-c",
                              "printf '%s\\n' '" + Sentence + "'; exec sleep 600"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shell.windowRect(appId).isNull(); }, 10000)) << "foot never appeared";
    }

    // Drags across the first characters of the sentence (7-pixel cells, 16-pixel rows)
    // until the terminal holds them as the primary selection; where the drag ended.
    QPoint selectSentence(const QString& appId, int characters = int(Sentence.size()))
    {
        const QString text = Sentence.left(characters);
        QPoint end;
        for (int attempt = 0; attempt < 3 && primaryText() != text; ++attempt) {
            const QPoint start = shell.windowRect(appId).topLeft() + QPoint(3, 2 + 8);
            end = start + QPoint(7 * characters - 2, 0);
            shell.move(start);
            shell.button(true);
            for (int x = start.x() + 20; x < end.x(); x += 20)
                shell.move({x, end.y()});
            shell.move(end);
            shell.button(false);
            (void)QTest::qWaitFor([&] { return primaryText() == text; }, 2000);
        }
        EXPECT_EQ(primaryText(), text);
        return end;
    }
};

TEST_F(GnomeSession, ASelectionInANativeTerminalIsTranslatedBesideThePointerAndTheClipboardKept)
{
    // The user's clipboard, held by an X11 application (the Shell shares it with
    // Wayland ones) for as long as nobody replaces it.
    QProcess* clipboardOwner = driver.start("xclip", {"-selection", "clipboard", "-i", "-quiet"});
    ASSERT_NE(clipboardOwner, nullptr);
    clipboardOwner->write("the user's own clipboard");
    clipboardOwner->closeWriteChannel();
    ASSERT_TRUE(QTest::qWaitFor([] { return DesktopDriver::selection("UTF8_STRING") == "the user's own clipboard"; },
                                5000));
    const unsigned long owner = DesktopDriver::selectionOwner();
    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("qlr-one");
    openTerminal("qlr-one");
    ASSERT_TRUE(waitForForeground("qlr-one"));
    const QPoint release = selectSentence("qlr-one");

    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    EXPECT_EQ(page->requests, 1) << "one selection, one translation";
    const QRect shown = popup().translationWindow().frameGeometry();
    EXPECT_LE(distance(shown, release), 40) << "the popup at " << shown.x() << "," << shown.y() << " lies beside "
                                         << release.x() << "," << release.y();
    // The virtual monitor shows it there: the popup's own pixels at its place.
    const QImage own = popup().translationWindow().grab().toImage();
    QImage screen;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            screen = shell.answersTrue("Screenshot", shared.filePath("screen.png")) ? QImage(shared.filePath("screen.png"))
                                                                                     : QImage();
            return shownShare(screen, own, shown.topLeft()) > 0.9;
        },
        5000))
        << "the screen shows " << shownShare(screen, own, shown.topLeft()) << " of the popup's pixels";

    EXPECT_EQ(clipboardOwner->state(), QProcess::Running) << "the clipboard kept its owner";
    EXPECT_EQ(DesktopDriver::selectionOwner(), owner);
    EXPECT_EQ(DesktopDriver::selection("UTF8_STRING"), "the user's own clipboard");
}

TEST_F(GnomeSession, InModeOneAClickNearTheEndOpensTheTranslationAndTheSwitchKeysOnTheApplicationId)
{
    ASSERT_NO_FATAL_FAILURE(startProgram({"ControlMode=1", "SmoothGlide=0", "servertimeout=30"}));
    enableTranslationIn("qlr-one");
    openTerminal("qlr-two");
    openTerminal("qlr-one");
    ASSERT_TRUE(waitForForeground("qlr-one"));

    const QPoint release = selectSentence("qlr-one");
    ASSERT_TRUE(QTest::qWaitFor([&] { return request().newestText() == Sentence; }, 10000));
    QTest::qWait(300);
    EXPECT_FALSE(popup().translationWindow().isVisible()) << "mode 1 waits for the click";
    shell.click(release + QPoint(4, 0));
    EXPECT_TRUE(waitForPopupText(SentenceEs)) << "the click near the end is seen";

    // The other terminal is off: its store row is its application id, not foot's name.
    ASSERT_TRUE(shell.answersTrue("Activate", "qlr-two"));
    ASSERT_TRUE(waitForForeground("qlr-two", false));
    selectSentence("qlr-two", 9);
    // The selection's change reaches the program right after the terminal's answer.
    QTest::qWait(300);
    EXPECT_EQ(request().newestText(), Sentence) << "nothing taken from the terminal switched off";
}

TEST_F(GnomeSession, TheTranslateCommandTranslatesAKeyboardSelectionAtThePointerInAnApplicationThatIsOff)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    driver.start("gjs", {QLR_SOURCE_DIR "/tests/gnome/keyboard-entry.js", "qlr-keys", Sentence});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shell.windowRect("qlr-keys").isNull(); }, 10000)) << "no GTK window";
    ASSERT_TRUE(shell.answersTrue("Activate", "qlr-keys"));
    ASSERT_TRUE(waitForForeground("qlr-keys", false));
    // Home, then Shift+End.
    for (const auto& [keyval, pressed] : {std::pair{0xff50u, true}, {0xff50u, false}, {0xffe1u, true},
                                          {0xff57u, true}, {0xff57u, false}, {0xffe1u, false}})
        shell.call("Key", keyval, pressed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return primaryText() == Sentence; }, 5000)) << primaryText().toStdString();
    const QPoint pointer = shell.windowRect("qlr-keys").bottomRight() + QPoint(-40, 60);
    shell.move(pointer);
    QTest::qWait(300);
    EXPECT_FALSE(popup().translationWindow().isVisible()) << "the application is off: nothing on selection";

    const auto [code, said] = runTranslateCommand();
    EXPECT_EQ(code, 0) << said.toStdString();
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    const QRect shown = popup().translationWindow().frameGeometry();
    EXPECT_LE((shown.topLeft() - pointer).manhattanLength(), 60)
        << "the popup at " << shown.x() << "," << shown.y() << ", the pointer at " << pointer.x() << "," << pointer.y();

    stopProgram();
    const auto [codeAlone, saidAlone] = runTranslateCommand();
    EXPECT_EQ(codeAlone, 1);
    EXPECT_TRUE(saidAlone.contains("no running Quillora")) << saidAlone.toStdString();
}

// The Shell has the extension installed but not enabled (scripts/gnomedesktop.sh
// --installed): the program runs without it, says how to enable it, and offers to.
TEST(GnomeWithoutExtension, TheProgramSaysHowToEnableItAndEnablesItWhenTheUserAgrees)
{
    ShellTestDesktop shell;
    ASSERT_TRUE(shell.isReady()) << "run through scripts/gnomedesktop.sh";
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    ASSERT_FALSE(bus->isServiceRegistered("org.quillora.Shell").value());
    QTemporaryDir home;
    qputenv("AppData", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    DesktopDriver driver;
    QProcess* program = driver.start(QLR_PROGRAM, {});
    QByteArray said;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (said += program->readAllStandardError()).contains("gnome-extensions enable quillora@quillora.org"); },
        20000))
        << said.toStdString();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return shell.answersTrue("ClickNotificationButton", "Translate in every application", "Enable"); }, 10000))
        << "the offer is shown";
    EXPECT_TRUE(QTest::qWaitFor([&] { return bus->isServiceRegistered("org.quillora.Shell").value(); }, 10000))
        << "the Shell runs the extension";
    EXPECT_TRUE(QTest::qWaitFor([&] { return QSettings(home.filePath("qlr/store.ini"), QSettings::IniFormat)
                                                 .value("GnomeShell/ExtensionOffer") == "enabled"; },
                                5000))
        << "the answer is kept, so the offer is made once";
}

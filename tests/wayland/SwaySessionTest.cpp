// The whole program in a headless sway session (scripts/waylanddesktop.sh): foot, a
// native Wayland terminal, shows the sentence; a virtual pointer drags across it; the
// program sees the selection only through the compositor and shows its translation.
#include "ProgramOnDesktop.h"
#include "capture/SelectionWatcher.h"
#include "core/TrayMenu.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

QString primarySelection()
{
    return QString::fromUtf8(DesktopDriver::run("wl-paste", {"--primary", "--no-newline"}));
}

// The node of sway's window tree with that application id, searched depth first.
QJsonObject findWindow(const QJsonObject& node, const QString& appId)
{
    if (node.value("app_id").toString() == appId)
        return node;
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node.value(children).toArray())
            if (const QJsonObject found = findWindow(child.toObject(), appId); !found.isEmpty())
                return found;
    return {};
}

} // namespace

class SwaySession : public ProgramOnDesktop {
protected:
    QProcess* pointer = nullptr; // the seat's only pointer, kept for the whole test
    QTemporaryDir shared;

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("SWAYSOCK")) << "run through scripts/waylanddesktop.sh";
        ProgramOnDesktop::SetUp();
        pointer = driver.startReady(QLR_VIRTUAL_POINTER, {});
        ASSERT_NE(pointer, nullptr);
        // The session has no tray: without a notification service the program would say
        // so in a message box, which would take the focus.
        ASSERT_NE(driver.startDesktopServices({"--no-portal"}), nullptr);
        // The compositor's user runs the terminals and must read what they show.
        QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                 QFileDevice::ExeOther);
        QFile script(shared.filePath("show.sh"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("printf '%s\\n' '" + Sentence + "'; exec sleep 600\n").toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ReadOther);
    }
    void TearDown() override
    {
        ProgramOnDesktop::TearDown();
        DesktopDriver::run("swaymsg", {"[app_id=\"^qlr-\"] kill"});
    }

    // Sends pointer commands and waits until the compositor has taken each.
    void pointerDo(const QStringList& commands)
    {
        pointer->write((commands.join('\n') + '\n').toUtf8());
        int answered = 0;
        while (answered < commands.size() && pointer->waitForReadyRead(5000))
            while (pointer->canReadLine())
                answered += pointer->readLine().trimmed() == "ok";
        ASSERT_EQ(answered, commands.size());
    }

    // Where the terminal's first text line begins now (sway lays windows out again as
    // others come); a null point while it is not in the window tree.
    static QPoint lineStart(const QString& appId)
    {
        const QJsonObject window =
            findWindow(QJsonDocument::fromJson(DesktopDriver::run("swaymsg", {"-r", "-t", "get_tree"})).object(), appId);
        if (window.isEmpty())
            return {};
        const QJsonObject rect = window.value("rect").toObject(), inner = window.value("window_rect").toObject();
        // foot's 2-pixel padding inside the window, and half a 16-pixel text row down.
        return {rect.value("x").toInt() + inner.value("x").toInt() + 2,
                rect.value("y").toInt() + inner.value("y").toInt() + 2 + 8};
    }

    // A foot terminal with the sentence on its first line.
    void openTerminal(const QString& appId)
    {
        DesktopDriver::run("swaymsg", {"exec", "foot -a " + appId + " sh " + shared.filePath("show.sh")});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !lineStart(appId).isNull(); }, 10000)) << "foot never appeared";
    }

    // Drags across the sentence's first characters (7-pixel cells) in the terminal until
    // it holds them as the primary selection; a terminal that has not drawn yet misses
    // the first drag. Where the drag ended.
    QPoint selectSentence(const QString& appId, int characters = int(Sentence.size()))
    {
        const QString text = Sentence.left(characters);
        DesktopDriver::run("wl-copy", {"--primary", "--clear"});
        QPoint end;
        for (int attempt = 0; attempt < 3 && primarySelection() != text; ++attempt) {
            const QPoint start = lineStart(appId);
            end = start + QPoint(7 * characters - 1, 0);
            QStringList drag{QString("move %1 %2").arg(start.x() + 1).arg(start.y()), "press"};
            for (int x = start.x() + 20; x < end.x(); x += 20)
                drag << QString("move %1 %2").arg(x).arg(end.y()) << "sleep 8";
            drag << QString("move %1 %2").arg(end.x()).arg(end.y()) << "release";
            pointerDo(drag);
            (void)QTest::qWaitFor([&] { return primarySelection() == text; }, 2000);
        }
        EXPECT_EQ(primarySelection(), text);
        return end;
    }
};

TEST_F(SwaySession, ASelectionInANativeTerminalIsTranslatedBesideThePointerAndTheClipboardKept)
{
    // The user's clipboard, served by its owner for as long as nobody replaces it.
    QProcess owner;
    owner.start("wl-copy", {"--foreground", "the user's own clipboard"});
    ASSERT_TRUE(QTest::qWaitFor([] { return DesktopDriver::run("wl-paste", {"--no-newline"}) == "the user's own clipboard"; }, 5000));

    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("qlr-one");
    openTerminal("qlr-one");
    ASSERT_TRUE(waitForForeground("qlr-one"));
    const QPoint release = selectSentence("qlr-one");

    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    const QRect shown = popup().translationWindow().frameGeometry();
    EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(shown)) << "the popup stays on the output";
    EXPECT_LE(distance(shown, release), 40) << "the popup at " << shown.x() << "," << shown.y() << " "
                                         << shown.width() << "x" << shown.height() << " lies beside the release point "
                                         << release.x() << "," << release.y();

    EXPECT_EQ(owner.state(), QProcess::Running) << "the clipboard kept its owner";
    EXPECT_EQ(DesktopDriver::run("wl-paste", {"--no-newline"}), "the user's own clipboard");
    owner.kill();
    owner.waitForFinished(3000);
}

TEST_F(SwaySession, TranslationSwitchedOffForOneApplicationStaysOffForItAlone)
{
    ASSERT_NO_FATAL_FAILURE(startProgram({"ControlMode=2", "SmoothGlide=0", "servertimeout=30"}));
    enableTranslationIn("qlr-one");
    enableTranslationIn("qlr-two");
    openTerminal("qlr-one");
    openTerminal("qlr-two"); // sway puts it beside the first

    selectSentence("qlr-one");
    ASSERT_TRUE(waitForForeground("qlr-one"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup().icon().isVisible(); }, 10000)) << "mode 2 offers the icon";
    app->trayMenu()->toggleItem->trigger();
    ASSERT_FALSE(appSwitch().translationEnabled());

    selectSentence("qlr-two", 9);
    ASSERT_TRUE(waitForForeground("qlr-two"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return request().newestText() == "The house"; }, 10000))
        << "still on in the other";

    selectSentence("qlr-one", 16);
    ASSERT_TRUE(waitForForeground("qlr-one", false)) << "off again when it comes back to the front";
    QTest::qWait(3 * SelectionWatcher::SettleMs);
    EXPECT_EQ(request().newestText(), "The house") << "nothing taken from it";
    // Unless the user asks with the translate key.
    const auto [code, said] = runTranslateCommand();
    EXPECT_EQ(code, 0) << said.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return request().newestText() == Sentence.left(16); }, 10000));
}

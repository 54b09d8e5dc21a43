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

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return process.readAllStandardOutput();
}

QString primarySelection()
{
    return QString::fromUtf8(run("wl-paste", {"--primary", "--no-newline"}));
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
    QProcess pointer; // the seat's only pointer, kept for the whole test
    QTemporaryDir shared;

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("SWAYSOCK")) << "run through scripts/waylanddesktop.sh";
        ProgramOnDesktop::SetUp();
        pointer.start(QLR_VIRTUAL_POINTER, {});
        ASSERT_TRUE(pointer.waitForReadyRead(10000) && pointer.readLine().trimmed() == "ready");
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
        run("swaymsg", {"[app_id=\"^qlr-\"] kill"});
        pointer.closeWriteChannel();
        pointer.waitForFinished(3000);
    }

    // Sends pointer commands and waits until the compositor has taken each.
    void pointerDo(const QStringList& commands)
    {
        pointer.write((commands.join('\n') + '\n').toUtf8());
        int answered = 0;
        while (answered < commands.size() && pointer.waitForReadyRead(5000))
            while (pointer.canReadLine())
                answered += pointer.readLine().trimmed() == "ok";
        ASSERT_EQ(answered, commands.size());
    }

    // A foot terminal with the sentence on its first line; where that line begins.
    QPoint openTerminal(const QString& appId)
    {
        run("swaymsg", {"exec", "foot -a " + appId + " sh " + shared.filePath("show.sh")});
        QJsonObject window;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                window = findWindow(QJsonDocument::fromJson(run("swaymsg", {"-r", "-t", "get_tree"})).object(), appId);
                return !window.isEmpty();
            },
            10000))
            << "foot never appeared";
        const QJsonObject rect = window.value("rect").toObject(), inner = window.value("window_rect").toObject();
        // foot's 2-pixel padding inside the window, and half a 16-pixel text row down.
        return {rect.value("x").toInt() + inner.value("x").toInt() + 2,
                rect.value("y").toInt() + inner.value("y").toInt() + 2 + 8};
    }

    // Drags across the sentence's first characters (7-pixel cells) until the terminal
    // holds them as the primary selection; a terminal that has not drawn yet misses
    // the first drag. Where the drag ended.
    QPoint selectSentence(QPoint lineStart, int characters = int(Sentence.size()))
    {
        const QString text = Sentence.left(characters);
        const QPoint end = lineStart + QPoint(7 * characters - 1, 0);
        QStringList drag{QString("move %1 %2").arg(lineStart.x() + 1).arg(lineStart.y()), "press"};
        for (int x = lineStart.x() + 20; x < end.x(); x += 20)
            drag << QString("move %1 %2").arg(x).arg(end.y()) << "sleep 8";
        drag << QString("move %1 %2").arg(end.x()).arg(end.y()) << "release";
        for (int attempt = 0; attempt < 3 && primarySelection() != text; ++attempt) {
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
    ASSERT_TRUE(QTest::qWaitFor([] { return run("wl-paste", {"--no-newline"}) == "the user's own clipboard"; }, 5000));

    ASSERT_NO_FATAL_FAILURE(startProgram());
    enableTranslationIn("qlr-one");
    const QPoint line = openTerminal("qlr-one");
    ASSERT_TRUE(waitForForeground("qlr-one"));
    const QPoint release = selectSentence(line);

    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    const QRect shown = popup().translationWindow().frameGeometry();
    EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(shown)) << "the popup stays on the output";
    const QPoint gap(std::max({shown.left() - release.x(), 0, release.x() - shown.right()}),
                     std::max({shown.top() - release.y(), 0, release.y() - shown.bottom()}));
    EXPECT_LE(gap.manhattanLength(), 40) << "the popup at " << shown.x() << "," << shown.y() << " "
                                         << shown.width() << "x" << shown.height() << " lies beside the release point "
                                         << release.x() << "," << release.y();

    EXPECT_EQ(owner.state(), QProcess::Running) << "the clipboard kept its owner";
    EXPECT_EQ(run("wl-paste", {"--no-newline"}), "the user's own clipboard");
    owner.kill();
    owner.waitForFinished(3000);
}

TEST_F(SwaySession, TranslationSwitchedOffForOneApplicationStaysOffForItAlone)
{
    ASSERT_NO_FATAL_FAILURE(startProgram({"ControlMode=2", "SmoothGlide=0", "servertimeout=30"}));
    enableTranslationIn("qlr-one");
    enableTranslationIn("qlr-two");
    const QPoint one = openTerminal("qlr-one");
    const QPoint two = openTerminal("qlr-two"); // sway puts it beside the first
    ASSERT_NE(one, two);

    selectSentence(one);
    ASSERT_TRUE(waitForForeground("qlr-one"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup().icon().isVisible(); }, 10000)) << "mode 2 offers the icon";
    app->trayMenu()->toggleItem->trigger();
    ASSERT_FALSE(state().translationEnabled);

    selectSentence(two, 9);
    ASSERT_TRUE(waitForForeground("qlr-two"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().lastRequestText == "The house"; }, 10000))
        << "still on in the other";

    selectSentence(one, 16);
    ASSERT_TRUE(waitForForeground("qlr-one", false)) << "off again when it comes back to the front";
    QTest::qWait(3 * SelectionWatcher::SettleMs);
    EXPECT_EQ(state().lastRequestText, "The house") << "nothing taken from it";
}

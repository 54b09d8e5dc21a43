// The Plasma parts of the Wayland back end against a real headless KWin (run through
// scripts/kwindesktop.sh): the window list, the pointer found through a KWin script
// and the primary selection read through data-control.
//
// The same binary, started with --selecting-client, is the application the tests look
// at: a Qt text field on Wayland that selects its text once it has the focus.
#include "platform/wayland/DataControlSelection.h"
#include "platform/wayland/KWinScriptPointerLocator.h"
#include "platform/wayland/PlasmaWindowTracker.h"
#include "platform/wayland/WaylandConnection.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <wayland-client.h>

namespace {

using platform::wayland::DataControlSelection;
using platform::wayland::KWinScriptPointerLocator;
using platform::wayland::PlasmaWindowTracker;
using platform::wayland::WaylandConnection;

const QString SelectedText = QStringLiteral("kwin primary selection");

int runSelectingClient(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLineEdit field(SelectedText);
    field.setWindowTitle(QStringLiteral("selecting client"));
    QObject::connect(&app, &QApplication::focusChanged, &field, [&field](QWidget*, QWidget* now) {
        if (now != &field)
            return;
        // Wayland takes a primary selection only from the focused client, with the
        // focus's serial: select once the field has it.
        field.selectAll();
        QGuiApplication::clipboard()->setText(field.selectedText(), QClipboard::Selection);
        std::printf("selected\n");
        std::fflush(stdout);
    });
    field.show();
    return app.exec();
}

// KWin's fake input device (org_kde_kwin_fake_input version 4), declared here for the
// two requests the test makes: it puts the pointer where the test wants it.
const wl_message FakeInputRequests[] = {
    {"authenticate", "ss", nullptr}, {"pointer_motion", "ff", nullptr},   {"button", "uu", nullptr},
    {"axis", "uf", nullptr},         {"touch_down", "2uff", nullptr},     {"touch_motion", "2uff", nullptr},
    {"touch_up", "2u", nullptr},     {"touch_cancel", "2", nullptr},      {"touch_frame", "2", nullptr},
    {"pointer_motion_absolute", "3ff", nullptr}, {"keyboard_key", "4uu", nullptr}};
const wl_interface FakeInput = {"org_kde_kwin_fake_input", 4, 11, FakeInputRequests, 0, nullptr};
constexpr std::uint32_t Authenticate = 0;
constexpr std::uint32_t PointerMotionAbsolute = 9;

class KWinSession : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) << "run through scripts/kwindesktop.sh";
        ASSERT_TRUE(connection_.isOpen());
    }
    void TearDown() override
    {
        client_.kill();
        client_.waitForFinished(2000);
    }

    // Starts the selecting client and waits until it has selected its text.
    void startSelectingClient()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "wayland");
        client_.setProcessEnvironment(environment);
        client_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        client_.start(QCoreApplication::applicationFilePath(), {"--selecting-client"});
        ASSERT_TRUE(client_.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([this] { return client_.canReadLine() || client_.waitForReadyRead(50); }, 10000))
            << "the client was never focused";
        ASSERT_EQ(client_.readLine().trimmed(), "selected");
    }

    WaylandConnection connection_;
    QProcess client_;
};

TEST_F(KWinSession, TheActiveClientItsSelectionAndThePointerAreFound)
{
    ASSERT_TRUE(PlasmaWindowTracker::isOffered(connection_));
    PlasmaWindowTracker tracker(connection_);
    ASSERT_TRUE(tracker.isReady());
    int activeChanges = 0;
    tracker.setActiveChangedHandler([&activeChanges] { ++activeChanges; });

    ASSERT_NO_FATAL_FAILURE(startSelectingClient());
    const std::int64_t clientPid = client_.processId();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return activeChanges > 0 && tracker.processId(tracker.activeWindow()) == clientPid; }, 5000));
    const WindowHandle active = tracker.activeWindow();
    EXPECT_EQ(tracker.applicationId(active), QFileInfo(QCoreApplication::applicationFilePath()).fileName());

    // The client's text is the session's primary selection, read through data-control
    // (KWin 5.27 offers zwlr_data_control_manager_v1 version 2 to every client).
    DataControlSelection selection(connection_);
    ASSERT_TRUE(selection.isAvailable());
    QString primary;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (primary = selection.readPrimary().value_or("(none)")) == SelectedText; },
                                3000))
        << primary.toStdString();

    // The window leaves the list with its process; the handle does not come back.
    client_.kill();
    ASSERT_TRUE(client_.waitForFinished(2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tracker.activeWindow() != active; }, 3000));
    EXPECT_EQ(tracker.processId(active), 0);

    // The pointer, wherever KWin's fake input device puts it, fresh on every locate.
    ASSERT_TRUE(KWinScriptPointerLocator::isAvailable());
    auto* fakeInput = static_cast<wl_proxy*>(connection_.bind(&FakeInput, 4, 3));
    ASSERT_NE(fakeInput, nullptr);
    wl_proxy_marshal_flags(fakeInput, Authenticate, nullptr, wl_proxy_get_version(fakeInput), 0, "qlr_kwin_tests",
                           "moves the pointer for the tests");
    // The first locate loads the script; the others reuse it.
    KWinScriptPointerLocator locator;
    for (int i = 0; i < 21; ++i) {
        const QPoint target(100 + 50 * i, 700 - 30 * i);
        wl_proxy_marshal_flags(fakeInput, PointerMotionAbsolute, nullptr, wl_proxy_get_version(fakeInput), 0,
                               wl_fixed_from_int(target.x()), wl_fixed_from_int(target.y()));
        ASSERT_TRUE(connection_.roundtrip(2000));
        ASSERT_EQ(locator.locate(2000), target) << "locate " << i;
    }
    wl_proxy_destroy(fakeInput);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--selecting-client") == 0)
        return runSelectingClient(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

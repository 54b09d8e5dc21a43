// Capture after capture on the real desktop while another application holds text, HTML
// and a picture on the clipboard: after every capture the clipboard reads back, format
// by format, byte for byte, as it was.
#include "DesktopDriver.h"
#include "WaitedCapture.h"
#include "capture/SelectedTextCapture.h"
#include "platform/Platform.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(CaptureX11Soak, RichClipboardComesBackIdenticalAfterEveryCapture)
{
    DesktopDriver driver;
    ASSERT_NE(driver.startCopyTarget({"--own-clipboard", "--text", "the user's copy"}), nullptr);
    const auto before = DesktopDriver::selectionContents();
    ASSERT_TRUE(before.contains("text/html") && before.contains("image/png"));

    QProcess* target = driver.startCopyTarget({"--copy-on", "ctrl-insert", "--text", "soak selection", "--title",
                                               "soak copy target"});
    const DesktopDriver::Window window = DesktopDriver::waitForWindow("soak copy target");
    ASSERT_TRUE(target && window);
    const auto desktop = platform::createPlatform();
    DesktopDriver::activate(window.id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop->applications().foregroundWindow() == window.id; }, 5000));
    SelectedTextCapture capture(*desktop);
    const int rounds = (qEnvironmentVariableIsSet("QLR_SOAK_LONG") ? 1000 : 20);
    for (int round = 0; round < rounds; ++round) {
        ASSERT_EQ(waitedCapture(capture, window.id), "soak selection") << "round " << round;
        ASSERT_EQ(DesktopDriver::selectionContents(), before) << "round " << round;
        target->readAllStandardOutput(); // the key log would otherwise grow all run long
    }
}

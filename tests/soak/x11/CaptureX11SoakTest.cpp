// Capture after capture on the real desktop while another application holds text, HTML
// and a picture on the clipboard: after every capture the clipboard reads back, format
// by format, byte for byte, as it was.
#include "../SoakScale.h"
#include "CaptureDesktop.h"
#include "capture/SelectedTextCapture.h"

namespace {

using capturetest::clipboardContents;

class CaptureX11Soak : public capturetest::DesktopFixture {};

TEST_F(CaptureX11Soak, RichClipboardComesBackIdenticalAfterEveryCapture)
{
    startCopyTarget({"--own-clipboard", "--text", "the user's copy"});
    const auto before = clipboardContents();
    ASSERT_EQ(before.value("text/plain"), "the user's copy");
    ASSERT_TRUE(before.contains("text/html") && before.contains("image/png")) << before.keys().join(' ').toStdString();

    const QString title = "soak copy target";
    QProcess* target = startCopyTarget({"--copy-on", "ctrl-insert", "--text", "soak selection", "--title", title});
    const WindowHandle front = focusWindowTitled(title, target->processId());
    SelectedTextCapture capture(*desktop);
    capture.setOwnerWindow(1);

    const int rounds = soakRounds(20, 1000);
    for (int round = 0; round < rounds; ++round) {
        ASSERT_EQ(capture.copySelectedText(front), "soak selection") << "round " << round;
        ASSERT_EQ(clipboardContents(), before) << "round " << round;
        target->readAllStandardOutput(); // the key log would otherwise grow all run long
    }
}

} // namespace

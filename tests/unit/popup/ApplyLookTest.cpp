#include "FakeDesktop.h"
#include "Utf16.h"
#include "core/Application.h"
#include "popup/BorderShape.h"
#include "common/LinkLabel.h"
#include "popup/Popup.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"
#include "popup/FloatingIcon.h"
#include "service/fake/FakeServicePage.h"

#include <gtest/gtest.h>

namespace {

// Start-up creates the popup windows hidden and dresses them from the settings files;
// the dressing rules themselves are checked with the popup fixture.
TEST(ApplyLook, StartUpLoadsThePopupWindowsHiddenAndDressesThem)
{
    FakeDesktop desktop;
    desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, iniLines({"Color=255,255,225", "Gray=128,128,128",
                                                                       "googlelabel=Powered by X", "border=1"}));
    Application app(desktop, std::make_unique<FakeServicePage>());
    ASSERT_TRUE(app.start());
    Popup* popup = app.popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(popup->translationWindow().isVisible());
    EXPECT_FALSE(popup->icon().isVisible());
    EXPECT_FALSE(popup->shadow().isVisible());
    EXPECT_EQ(popup->translationWindow().palette().color(QPalette::Window), QColor(255, 255, 225));
    EXPECT_EQ(popup->translationWindow().serviceLink->caption(), "Powered by X");
    EXPECT_FALSE(popup->translationWindow().border->isHidden());
    EXPECT_EQ(popup->icon().palette().color(QPalette::Window), QColor(128, 128, 128));

    // A later apply keeps the same windows.
    TranslationPopup* first = &popup->translationWindow();
    app.applySettings();
    EXPECT_EQ(&app.popup()->translationWindow(), first);
}

} // namespace

#include "service/fake/FakeServicePage.h"
#include "FakeDesktop.h"
#include "Utf16.h"
#include "core/Application.h"
#include "popup/BorderShape.h"
#include "popup/LinkLabel.h"
#include "popup/Popup.h"
#include "popup/frmShad.h"
#include "popup/frmTrans.h"
#include "popup/frmico.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplyLook, StartUpLoadsThePopupWindowsHiddenAndDressesThem)
{
    struct Case {
        const char* borderLine;
        bool border;
        QColor iconBackground;
    };
    for (const Case c : {Case{"border=1", true, QColor(128, 128, 128)}, {"Border=0", false, QColor(255, 255, 225)}}) {
        FakeDesktop desktop;
        desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile,
                                       iniLines({"Color=255,255,225", "Gray=128,128,128", "googlelabel=Powered by X",
                                                 c.borderLine}));
        Application app(desktop, std::make_unique<FakeServicePage>());
        ASSERT_TRUE(app.Main());
        Popup* popup = app.popup();
        ASSERT_NE(popup, nullptr);
        EXPECT_FALSE(popup->trans().isVisible());
        EXPECT_FALSE(popup->icon().isVisible());
        EXPECT_FALSE(popup->shadow().isVisible());
        EXPECT_EQ(popup->trans().palette().color(QPalette::Window), QColor(255, 255, 225));
        EXPECT_EQ(popup->trans().google->caption(), "Powered by X");
        EXPECT_EQ(!popup->trans().border->isHidden(), c.border) << c.borderLine;
        EXPECT_EQ(popup->icon().palette().color(QPalette::Window), c.iconBackground) << c.borderLine;

        // A second apply keeps the same windows.
        frmTrans* first = &popup->trans();
        app.ApplySettings();
        EXPECT_EQ(&app.popup()->trans(), first);
    }
}

} // namespace

#pragma once
// The popup windows on the real test desktop (Xvfb at 96 dpi, openbox, usually
// xcompmgr), driven through the real X11 back end.
#include "DesktopDriver.h"
#include "common/AppState.h"
#include "common/ProgramTimers.h"
#include "platform/Platform.h"
#include "popup/FloatingIcon.h"
#include "popup/Popup.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class PopupDesktop : public testing::Test {
protected:
    std::unique_ptr<platform::Platform> desktop = platform::createPlatform();
    DesktopDriver driver;
    AppState state = shippedState();
    ProgramTimers timers;
    Popup popup{state, *desktop, timers};
    QString buildFolder = QFileInfo(QLR_BINARY).absolutePath();

    AppState shippedState()
    {
        AppState s;
        s.twipsPerPixelX = s.twipsPerPixelY = 15;
        s.osVersion = desktop->session().osVersion();
        s.primaryButton = 1;
        s.secondaryButton = 2;
        s.backColour = parseColour("255,255,255");
        s.grayColour = parseColour("128,128,128");
        for (const auto& [key, value] : {std::pair{"transwidth", "450"}, {"Transparency", "20"}, {"SmoothGlide", "10"},
                                         {"FontSize", "10"}, {"Shadow", "1"}, {"Border", "0"},
                                         {"googlelabel", "Powered by Apertium"}, {"hideiconinterval", "30"}})
            s.settings.set(key, value);
        return s;
    }

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        ASSERT_DOUBLE_EQ(desktop->screen().logicalDpiX(), 96);
        popup.dress();
    }
    void TearDown() override { popup.hidePopup(); }

    // The icon offered beside a selection that ended at (x, y), shown on the server.
    void offerIcon(int x, int y)
    {
        popup.offerIcon(x, y);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup.icon()));
    }
};

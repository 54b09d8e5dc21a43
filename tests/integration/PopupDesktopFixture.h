#pragma once
// The popup windows on the real test desktop (Xvfb at 96 dpi, openbox, usually
// xcompmgr), driven through the real X11 back end.
#include "TestProcess.h"
#include "common/AppState.h"
#include "core/MainWindow.h"
#include "platform/Platform.h"
#include "popup/Popup.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"
#include "popup/FloatingIcon.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class PopupDesktop : public testing::Test {
protected:
    std::unique_ptr<platform::Platform> desktop = platform::createPlatform();
    AppState state = shippedState();
    MainWindow main{15, 15};
    Popup popup{state, *desktop, main};
    QString buildFolder = QFileInfo(QLR_BINARY).absolutePath();

    AppState shippedState()
    {
        AppState s;
        s.twipsPerPixelX = s.twipsPerPixelY = 15;
        s.osVersion = desktop->session().osVersion();
        s.primaryButton = 1;
        s.secondaryButton = 2;
        s.backColour = parseColour("255,255,255");
        s.textColour = parseColour("0,0,0");
        s.grayColour = parseColour("128,128,128");
        for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"transwidth", "450"}, {"Transparency", "20"}, {"SmoothGlide", "10"}, {"FontSize", "10"},
                 {"Shadow", "1"}, {"Border", "0"}, {"googlelabel", "Powered by Apertium"},
                 {"googlelink", "https://www.apertium.org/"}})
            s.settings.set(key, value);
        return s;
    }

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        ASSERT_DOUBLE_EQ(desktop->screen().logicalDpiX(), 96);
        popup.dress();
    }

    void TearDown() override
    {
        popup.hidePopup();
        QTest::qWait(50);
    }

    // The icon offered beside a selection that ended at (x, y), as the request does it.
    void offerIcon(int x, int y)
    {
        popup.icon().move(x + 10, y - 5);
        popup.icon().showOffer(true);
        popup.effects().setTransparency(&popup.icon(), 20);
        popup.effects().setTopmost(&popup.icon(), true, true, 0, 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup.icon()));
    }

    // Runs a command and returns its standard output, trimmed.
    static QString run(const QString& program, const QStringList& arguments)
    {
        return QString::fromUtf8(runServing(program, arguments, 10000)).trimmed();
    }
    static QString activeWindow() { return run("xdotool", {"getactivewindow"}); }
};

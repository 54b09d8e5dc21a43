#pragma once
// The popup windows on the real test desktop (Xvfb at 96 dpi, openbox, usually
// xcompmgr), driven through the real X11 back end.
#include "TestProcess.h"
#include "core/AppState.h"
#include "core/frmMain.h"
#include "platform/createPlatform.h"
#include "popup/Popup.h"
#include "popup/frmShad.h"
#include "popup/frmTrans.h"
#include "popup/frmico.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class PopupDesktop : public testing::Test {
protected:
    std::unique_ptr<platform::api> desktop = platform::createPlatform();
    AppState state = shippedState();
    frmMain main{15, 15};
    Popup popup{state, *desktop, main};
    QString buildFolder = QFileInfo(QLR_BINARY).absolutePath();

    AppState shippedState()
    {
        AppState s;
        s.TwipsX = s.TwipsY = 15;
        s.OSVersion = desktop->session().osVersion();
        s.btnPrimary = 1;
        s.btnSecondary = 2;
        s.clrBack = ParseColor("255,255,255");
        s.clrText = ParseColor("0,0,0");
        s.clrGray = ParseColor("128,128,128");
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
        popup.HidePopup();
        QTest::qWait(50);
    }

    // The icon offered beside a selection that ended at (x, y), as the request does it.
    void offerIcon(int x, int y)
    {
        popup.icon().move(x + 10, y - 5);
        popup.icon().showOffer(true);
        popup.effects().SetWindowTransparency(&popup.icon(), 20);
        popup.effects().SetWindowTopmost(&popup.icon(), true, true, 0, 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup.icon()));
    }

    // Runs a command and returns its standard output, trimmed.
    static QString run(const QString& program, const QStringList& arguments)
    {
        return QString::fromUtf8(runServing(program, arguments, 10000)).trimmed();
    }
    static QString activeWindow() { return run("xdotool", {"getactivewindow"}); }
};

#pragma once
// The popup windows on the fake desktop: a 1024 x 768 screen at 96 dpi (15 twips per
// pixel), the shipped look, and the program's timers that the popup drives.
#include "FakeDesktop.h"
#include "common/AppState.h"
#include "common/LinkLabel.h"
#include "common/ProgramTimers.h"
#include "popup/FloatingIcon.h"
#include "popup/Popup.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"

#include <QTextEdit>
#include <gtest/gtest.h>

class PopupFixture : public testing::Test {
protected:
    FakeDesktop desktop;
    AppState state = shippedState();
    ProgramTimers timers;
    Popup popup{state, desktop, timers};

    static AppState shippedState()
    {
        AppState s;
        s.twipsPerPixelX = s.twipsPerPixelY = 15;
        s.osVersion = 600;
        s.primaryButton = 1;
        s.secondaryButton = 2;
        s.backColour = 0xFFFFFF;
        s.textColour = 0x0000FF;
        s.grayColour = 0x808080;
        for (const auto& [key, value] :
             {std::pair{"transwidth", "450"}, {"Transparency", "20"}, {"SmoothGlide", "10"}, {"FontSize", "10"},
              {"Shadow", "1"}, {"Border", "0"}, {"googlelabel", "Powered by Apertium"},
              {"googlelink", "https://www.apertium.org/"}, {"hideiconinterval", "2.5"}})
            s.settings.set(key, value);
        return s;
    }

    void SetUp() override { popup.dress(); }

    TranslationPopup& window() { return popup.translationWindow(); }
    FloatingIcon& icon() { return popup.icon(); }

    // The icon offered at the end of a selection at (x, y) with the pointer there.
    void offerIcon(int x, int y)
    {
        desktop.fakeInput.cursor = QPoint(x, y);
        popup.offerIcon(x, y);
    }
    // A text put into the popup and the popup opened from the icon.
    void openWith(const QString& text, int x, int y)
    {
        offerIcon(x, y);
        popup.showTranslation(text);
        popup.openPopup(0, 0);
    }
};

#pragma once
// The popup windows on the fake desktop: a 1024 x 768 screen at 96 dpi (15 twips per
// pixel), the shipped look and a main form whose timers the popup drives.
#include "FakeDesktop.h"
#include "common/AppState.h"
#include "core/MainWindow.h"
#include "popup/Popup.h"
#include "popup/WindowEffects.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"
#include "popup/FloatingIcon.h"

#include <QTextEdit>
#include <gtest/gtest.h>

class PopupFixture : public testing::Test {
protected:
    FakeDesktop desktop;
    AppState state = shippedState();
    MainWindow main{15, 15};
    Popup popup{state, desktop, main};

    static AppState shippedState()
    {
        AppState s;
        s.twipsPerPixelX = 15;
        s.twipsPerPixelY = 15;
        s.osVersion = 600;
        s.primaryButton = 1;
        s.secondaryButton = 2;
        s.backColour = 0xFFFFFF;
        s.textColour = 0x0000FF;
        s.grayColour = 0x808080;
        for (const auto& [key, value] :
             {std::pair{"transwidth", "450"}, {"Transparency", "20"}, {"SmoothGlide", "10"}, {"FontSize", "10"},
              {"Shadow", "1"}, {"Border", "0"}, {"googlelabel", "Powered by Apertium"},
              {"googlelink", "https://www.apertium.org/"}})
            s.settings.set(key, value);
        return s;
    }

    void SetUp() override { popup.dress(); }

    TranslationPopup& translationWindow() { return popup.translationWindow(); }
    FloatingIcon& icon() { return popup.icon(); }
    QRect monitor() const { return QRect(QPoint(0, 0), desktop.fakeScreen.size); }

    // The icon offered at the end of a selection at (x, y), as the request shows it.
    void offerIcon(int x, int y)
    {
        icon().move(x + 10, y - 5);
        icon().showOffer(true);
        icon().show();
        desktop.fakeInput.cursor = QPoint(x, y);
    }

    // A text put into the popup and the popup opened from the icon.
    void openWith(const QString& text, int x, int y)
    {
        offerIcon(x, y);
        popup.showTranslation(text);
        popup.openPopup(0, 0);
    }
};

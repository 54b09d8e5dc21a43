#pragma once
// The popup windows on the fake desktop: a 1024 x 768 screen at 96 dpi (15 twips per
// pixel), the shipped look, and the program's timers that the popup drives.
#include "FakeDesktop.h"
#include "PopupState.h"
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
    AppState state = popupState();
    ProgramTimers timers;
    Popup popup{state, desktop, timers};

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

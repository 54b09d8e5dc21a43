#pragma once
// The popup windows on the fake desktop: a 1024 x 768 screen, the shipped look, and the
// fake clock that runs their timers, fades and glides.
#include "FakeDesktop.h"
#include "PopupState.h"
#include "common/LinkLabel.h"
#include "popup/FloatingIcon.h"
#include "popup/Popup.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"

#include <QTextEdit>
#include <gtest/gtest.h>

class PopupFixture : public testing::Test {
protected:
    FakeDesktop desktop;
    AppSettings settings = popupSettings();
    Popup popup{desktop};

    void SetUp() override { configure(); }
    void configure(TriggerMode trigger = TriggerMode::ClickIcon) { popup.configure(settings, trigger); }

    TranslationPopup& window() { return popup.translationWindow(); }
    FloatingIcon& icon() { return popup.icon(); }
    // Lets the fades and the glide run to their end.
    void settle() { desktop.fakeClock.advance(3000); }
    void dismiss()
    {
        popup.hidePopup();
        settle();
    }

    // The icon offered at the end of a selection at (x, y) with the pointer there.
    void offerIcon(int x, int y, int selectionLeft = 0)
    {
        desktop.fakeInput.cursor = QPoint(x, y);
        popup.offerIcon(x, y, selectionLeft);
    }
    // A text put into the popup and the popup opened from the icon, glided open.
    void openWith(const QString& text, int x, int y, int selectionLeft = 0)
    {
        offerIcon(x, y, selectionLeft);
        popup.showResult(text);
        popup.openPopup(0, 0);
        settle();
    }
};

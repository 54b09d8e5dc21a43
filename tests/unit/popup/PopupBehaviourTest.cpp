// Offering the icon, opening the popup from it and every way of dismissing it again.
#include "PopupFixture.h"
#include "common/WindowEffects.h"
#include "popup/BorderShape.h"
#include "popup/IconPicture.h"

#include <QSignalSpy>
#include <QTextCursor>
#include <vector>

namespace {

using PopupBehaviourTest = PopupFixture;

TEST_F(PopupBehaviourTest, TheIconIsOfferedBesideTheSelectionAndOpensThePopupBelowIt)
{
    offerIcon(400, 300);
    EXPECT_TRUE(icon().isVisible());
    EXPECT_EQ(icon().pos(), QPoint(410, 295));
    EXPECT_EQ(WindowEffects::transparencyLevel(&icon()), 20);
    EXPECT_EQ(QPoint(state.iconAnchorX, state.iconAnchorY), QPoint(418, 303));
    EXPECT_NEAR(state.iconAnchorDistance, std::hypot(18.0, 3.0), 1e-9);
    EXPECT_EQ(timers.iconRetire.interval(), 2500);
    EXPECT_TRUE(timers.iconRetire.isEnabled() && timers.iconLeave.isEnabled());
    EXPECT_TRUE(icon().closePicture->isHidden());

    popup.showTranslation("Hallo Welt");
    const QSize target = window().size();
    QRect firstStep;
    desktop.fakeClock.onProcessEvents = [&] {
        if (firstStep.isNull())
            firstStep = window().geometry();
    };
    popup.effects().setTransparency(&icon(), 200); // clicked while fading out
    popup.openPopup(0, 0);
    EXPECT_EQ(WindowEffects::transparencyLevel(&icon()), 20);
    EXPECT_EQ(icon().pos(), QPoint(410, 295)) << "(0, 0) leaves the icon in place";
    EXPECT_EQ(firstStep.y(), icon().y() + 16);
    EXPECT_LE(firstStep.height(), 30);
    EXPECT_EQ(window().size(), target);
    EXPECT_EQ(WindowEffects::transparencyLevel(&window()), 20);
    EXPECT_TRUE(icon().offerPicture->isHidden());
    EXPECT_FALSE(timers.iconLeave.isEnabled() || timers.iconRetire.isEnabled());
    EXPECT_TRUE(popup.shadow().isVisible());
    popup.hidePopup();
    offerIcon(400, 300);
    popup.openPopup(200, 150);
    EXPECT_EQ(icon().pos(), QPoint(192, 142)) << "opening at the pointer centres the icon on it";

    popup.hidePopup();
    state.settings.set("ControlMode", "1");
    timers.iconRetire.setEnabled(false);
    popup.offerIcon(400, 300);
    EXPECT_FALSE(icon().isVisible()) << "parked hidden for the click that opens";
    EXPECT_EQ(icon().pos(), QPoint(392, 292));
    EXPECT_FALSE(timers.iconRetire.isEnabled());

    // Where no click outside the program is seen, the icon is offered instead; where
    // the pointer is not followed, it waits for its click or its time-out.
    state.buttonsUnseen = true;
    desktop.fakeInput.follows = false;
    popup.offerIcon(400, 300);
    EXPECT_TRUE(icon().isVisible() && timers.iconRetire.isEnabled());
    EXPECT_FALSE(timers.iconLeave.isEnabled());
}

TEST_F(PopupBehaviourTest, HidingFadesThePopupOutAndTheIconLeavesWhenThePointerDoes)
{
    openWith("Hallo Welt", 600, 300);
    QSignalSpy dismissals(&popup, &Popup::dismissed);
    std::vector<int> levels;
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&window())); };
    popup.hidePopup();
    EXPECT_EQ(levels, (std::vector<int>{98, 177, 255}));
    EXPECT_FALSE(window().isVisible() || icon().isVisible() || popup.shadow().isVisible());
    EXPECT_TRUE(window().serviceLink->isHidden());
    EXPECT_EQ(dismissals.count(), 1);
    popup.hidePopup();
    EXPECT_EQ(dismissals.count(), 1) << "nothing shown, nothing dismissed";
    window().show();
    popup.hidePopup();
    EXPECT_FALSE(window().isVisible()) << "a popup whose icon went is closed all the same";
    EXPECT_EQ(dismissals.count(), 2);

    icon().setGeometry(100, 100, 16, 16);
    for (const auto& [pointer, over] : {std::pair{QPoint(100, 108), false}, {QPoint(101, 108), true},
                                        {QPoint(115, 108), true}, {QPoint(116, 108), false}, {QPoint(108, 100), false}}) {
        desktop.fakeInput.cursor = pointer;
        EXPECT_EQ(popup.isPointerOver(&icon()), over) << pointer.x() << "," << pointer.y();
    }
    offerIcon(600, 300);
    desktop.fakeInput.cursor = icon().geometry().center();
    popup.onIconRetireTick();
    EXPECT_TRUE(icon().isVisible() && timers.iconRetire.isRunning()) << "a full interval starts anew";
    desktop.fakeInput.cursor = QPoint(10, 10);
    levels.clear();
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&icon())); };
    popup.onIconRetireTick();
    EXPECT_EQ(levels, (std::vector<int>{131, 162, 193, 224, 255}));
    EXPECT_FALSE(icon().isVisible() || timers.iconRetire.isEnabled());
    // Clicked open, or offered for a new selection, while it fades: it stays.
    popup.showTranslation("Hallo Welt");
    for (const bool clickedOpen : {true, false}) {
        offerIcon(600, 300);
        desktop.fakeInput.cursor = QPoint(10, 10);
        int steps = 0;
        desktop.fakeClock.onProcessEvents = [&] {
            if (++steps == 2)
                clickedOpen ? popup.openPopup(0, 0) : offerIcon(300, 200);
        };
        popup.onIconRetireTick();
        EXPECT_TRUE(icon().isVisible()) << clickedOpen;
        EXPECT_EQ(WindowEffects::transparencyLevel(&icon()), 20) << clickedOpen;
        EXPECT_EQ(window().isVisible(), clickedOpen);
        desktop.fakeClock.onProcessEvents = nullptr;
        popup.hidePopup();
    }
    // Anchor (618, 303) at 18.2 px from the pointer: dismissed beyond 68.2 px.
    for (const auto& [pointer, dismissed] : {std::pair{QPoint(618, 371), false}, {QPoint(687, 303), true}}) {
        offerIcon(600, 300);
        desktop.fakeInput.cursor = pointer;
        popup.onIconLeaveTick();
        EXPECT_EQ(!icon().isVisible() && !timers.iconLeave.isEnabled(), dismissed) << pointer.x();
        popup.hidePopup();
    }
}

TEST_F(PopupBehaviourTest, TheIconsButtonsTheCopyLinkAndTheCloseMark)
{
    for (const auto& [swapped, button, off] : {std::tuple{false, 2, true}, {false, 1, false}, {false, 4, false},
                                               {true, 2, true}, {true, 1, false}}) {
        state.secondaryButton = swapped ? 1 : 2;
        offerIcon(600, 300);
        QSignalSpy offs(&popup, &Popup::translateOffRequested);
        emit icon().offerPicture->mouseDown(button);
        EXPECT_EQ(offs.count(), off ? 1 : 0) << swapped << " " << button;
        EXPECT_EQ(window().isVisible(), !off) << "any other button opens the popup";
        popup.hidePopup();
    }
    QSignalSpy copies(&popup, &Popup::copyRequested);
    openWith("Hola mundo", 600, 300);
    QTextCursor cursor = window().textView->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    window().textView->setTextCursor(cursor);
    emit window().copyLink->clicked();
    EXPECT_EQ(copies.takeFirst().at(0).toString(), "mundo") << "the selected part only";
    // Copied exactly as shown: no-break spaces and line separators stay, paragraphs
    // end in line feeds.
    const QString shown = QString("1\u00a0000 km\u2028next") + "\r\nline";
    openWith(shown, 600, 300);
    emit window().copyLink->clicked();
    EXPECT_EQ(copies.takeFirst().at(0).toString(), QString("1\u00a0000 km\u2028next\nline"));
    openWith(shown, 600, 300);
    cursor = window().textView->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    window().textView->setTextCursor(cursor);
    emit window().copyLink->clicked();
    EXPECT_EQ(copies.takeFirst().at(0).toString(), QString("1\u00a0000 km"));
    openWith("Hola", 600, 300);
    emit icon().closePicture->clicked();
    EXPECT_FALSE(window().isVisible() || icon().isVisible());
}

TEST_F(PopupBehaviourTest, DressingFollowsTheColoursAndTheBorderAndTheDotsCount)
{
    for (const auto& [border, shown, iconBackground] : {std::tuple{"1", true, QColor(128, 128, 128)},
                                                        {"abc", false, QColor(255, 255, 255)}}) {
        state.settings.set("border", border);
        popup.dress();
        EXPECT_EQ(!window().border->isHidden(), shown) << border;
        EXPECT_EQ(icon().palette().color(QPalette::Window), iconBackground) << border;
    }
    EXPECT_EQ(window().border->borderColor(), QColor(128, 128, 128));
    EXPECT_EQ(window().serviceLink->caption(), "Powered by Apertium");
    EXPECT_EQ(window().copyLink->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(window().palette().color(QPalette::Window), QColor(255, 255, 255));
    popup.setShownText("...");
    emit timers.progressDots.timeout();
    EXPECT_EQ(popup.shownText(), "....") << "one more waiting dot, up to five";
}

} // namespace

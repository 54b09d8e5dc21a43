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

// The level of the window after each step of 30 ms, for as many steps.
std::vector<int> levelsOver(platform::fake::FakeClock& clock, QWidget& window, int steps)
{
    std::vector<int> levels;
    for (int i = 0; i < steps; ++i) {
        clock.advance(effects::StepMs);
        levels.push_back(effects::transparencyLevel(&window));
    }
    return levels;
}

TEST_F(PopupBehaviourTest, TheIconIsOfferedBesideTheSelectionAndOpensThePopupBelowIt)
{
    offerIcon(400, 300);
    EXPECT_TRUE(icon().isVisible());
    EXPECT_EQ(icon().pos(), QPoint(410, 295));
    EXPECT_TRUE(popup.iconRetireRunning() && popup.iconLeaveRunning());
    EXPECT_TRUE(icon().closePicture->isHidden());

    popup.showResult("Hallo Welt");
    EXPECT_FALSE(window().isVisible());
    const QSize target = window().size();
    popup.openPopup(0, 0);
    EXPECT_EQ(icon().pos(), QPoint(410, 295)) << "(0, 0) leaves the icon in place";
    EXPECT_EQ(window().y(), icon().y() + 16);
    EXPECT_LE(window().height(), 30) << "it opens small";
    settle();
    EXPECT_EQ(window().size(), target) << "and glides to its size";
    EXPECT_EQ(effects::transparencyLevel(&window()), 20);
    EXPECT_TRUE(icon().offerPicture->isHidden());
    EXPECT_FALSE(popup.iconLeaveRunning() || popup.iconRetireRunning());
    EXPECT_TRUE(popup.shadow().isVisible());
    dismiss();
    offerIcon(400, 300);
    popup.openPopup(200, 150);
    EXPECT_EQ(icon().pos(), QPoint(192, 142)) << "opening at the pointer centres the icon on it";

    popup.hidePopup();
    configure(TriggerMode::ClickNearEnd);
    offerIcon(400, 300);
    EXPECT_FALSE(icon().isVisible()) << "parked hidden for the click that opens";
    EXPECT_EQ(icon().pos(), QPoint(392, 292));
    EXPECT_FALSE(popup.iconRetireRunning());
}

TEST_F(PopupBehaviourTest, DismissingFadesThePopupOutAndClosesWhateverIsShown)
{
    openWith("Hallo Welt", 600, 300);
    QSignalSpy dismissals(&popup, &Popup::dismissed);
    popup.hidePopup();
    EXPECT_FALSE(icon().isVisible() || popup.shadow().isVisible() || window().serviceLink->isVisible());
    EXPECT_EQ(levelsOver(desktop.fakeClock, window(), 3), (std::vector<int>{98, 177, 255}));
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(dismissals.count(), 1);
    popup.hidePopup();
    EXPECT_EQ(dismissals.count(), 1) << "nothing shown, nothing dismissed";
    window().show();
    dismiss();
    EXPECT_FALSE(window().isVisible()) << "a popup whose icon went is closed all the same";
    EXPECT_EQ(dismissals.count(), 2);

    // Opened again while it fades out: it stays.
    openWith("Hallo Welt", 600, 300);
    popup.hidePopup();
    desktop.fakeClock.advance(40);
    popup.openPopup(0, 0);
    settle();
    EXPECT_TRUE(window().isVisible() && icon().isVisible());
    EXPECT_EQ(effects::transparencyLevel(&window()), 20);
}

TEST_F(PopupBehaviourTest, TheIconRetiresOrLeavesWithThePointerUnlessTakenOverMeanwhile)
{
    icon().setGeometry(100, 100, 16, 16);
    icon().show();
    for (const auto& [pointer, over] : {std::pair{QPoint(100, 108), false}, {QPoint(101, 108), true},
                                        {QPoint(115, 108), true}, {QPoint(116, 108), false}, {QPoint(108, 100), false}}) {
        desktop.fakeInput.cursor = pointer;
        EXPECT_EQ(popup.isPointerOverPopupOrIcon(), over) << pointer.x() << "," << pointer.y();
    }
    icon().hide();
    desktop.fakeInput.cursor = QPoint(100, 108);
    EXPECT_FALSE(popup.isPointerOverPopupOrIcon()) << "a hidden window is not under the pointer";

    // Where the pointer is not followed there is no leaving: only the retire, which a
    // leave would have cut short.
    desktop.fakeInput.follows = false;
    offerIcon(600, 300);
    desktop.fakeInput.cursor = icon().geometry().center();
    desktop.fakeClock.advance(2500 * 3);
    EXPECT_TRUE(icon().isVisible() && popup.iconRetireRunning()) << "a pointer resting on it keeps it";
    desktop.fakeInput.cursor = QPoint(10, 10);
    desktop.fakeClock.advance(popupSettings().iconRetireMs.value_or(0));
    EXPECT_EQ(levelsOver(desktop.fakeClock, icon(), 5), (std::vector<int>{131, 162, 193, 224, 255}));
    EXPECT_FALSE(icon().isVisible());
    // Clicked open, or offered for a new selection, while it fades: it stays.
    popup.showResult("Hallo Welt");
    for (const bool clickedOpen : {true, false}) {
        offerIcon(600, 300);
        desktop.fakeInput.cursor = QPoint(10, 10);
        desktop.fakeClock.advance(2500 + 60);
        clickedOpen ? popup.openPopup(0, 0) : offerIcon(300, 200);
        desktop.fakeClock.advance(500);
        EXPECT_TRUE(icon().isVisible()) << clickedOpen;
        EXPECT_EQ(effects::transparencyLevel(&icon()), 20) << clickedOpen;
        EXPECT_EQ(window().isVisible(), clickedOpen);
        dismiss();
    }

    // Anchor (618, 303) at 18.2 px from the pointer: dismissed beyond 68.2 px.
    desktop.fakeInput.follows = true;
    for (const auto& [pointer, dismissed] : {std::pair{QPoint(618, 371), false}, {QPoint(687, 303), true}}) {
        offerIcon(600, 300);
        desktop.fakeInput.cursor = pointer;
        desktop.fakeClock.advance(60);
        EXPECT_EQ(!icon().isVisible(), dismissed) << pointer.x();
        popup.hidePopup();
    }
}

TEST_F(PopupBehaviourTest, TheIconsButtonsTheCopyLinkTheCloseMarkAndTheWaitingDots)
{
    for (const auto& [button, off] : {std::pair{Qt::RightButton, true}, {Qt::LeftButton, false}, {Qt::MiddleButton, false}}) {
        offerIcon(600, 300);
        QSignalSpy offs(&popup, &Popup::translateOffRequested);
        emit icon().offerPicture->mouseDown(button);
        EXPECT_EQ(offs.count(), off ? 1 : 0) << button;
        EXPECT_EQ(window().isVisible(), !off) << "any other button opens the popup";
        dismiss();
    }
    // Copied exactly as shown: no-break spaces and line separators stay, paragraphs
    // end in line feeds; of a selection, the selected part only.
    QSignalSpy copies(&popup, &Popup::copyRequested);
    const QString shown = QString("1\u00a0000 km\u2028next") + "\r\nline";
    openWith(shown, 600, 300);
    emit window().copyLink->clicked();
    EXPECT_EQ(copies.takeFirst().at(0).toString(), QString("1\u00a0000 km\u2028next\nline"));
    openWith(shown, 600, 300);
    QTextCursor cursor = window().textView->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    window().textView->setTextCursor(cursor);
    emit window().copyLink->clicked();
    EXPECT_EQ(copies.takeFirst().at(0).toString(), QString("\u00a0000 km"));
    openWith("Hola", 600, 300);
    emit icon().closePicture->clicked();
    settle();
    EXPECT_FALSE(window().isVisible() || icon().isVisible());

    popup.showWaiting();
    QStringList dots{popup.shownText()};
    for (int i = 0; i < 6; ++i) {
        desktop.fakeClock.advance(200);
        dots << popup.shownText();
    }
    EXPECT_EQ(dots, QStringList({".....", "", ".", "..", "...", "....", "....."}));
    popup.showResult("Hola");
    desktop.fakeClock.advance(400);
    EXPECT_EQ(popup.shownText(), "Hola") << "a text ends the dots";
}

TEST_F(PopupBehaviourTest, DressingFollowsTheColoursAndTheBorder)
{
    for (const auto& [border, iconBackground] : {std::pair{true, QColor(128, 128, 128)}, {false, QColor(255, 255, 255)}}) {
        settings.border = border;
        configure();
        EXPECT_EQ(!window().border->isHidden(), border);
        EXPECT_EQ(icon().palette().color(QPalette::Window), iconBackground) << border;
    }
    EXPECT_EQ(window().border->borderColor(), QColor(128, 128, 128));
    EXPECT_EQ(window().copyLink->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(window().palette().color(QPalette::Window), QColor(255, 255, 255));
}

} // namespace

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

TEST_F(PopupBehaviourTest, TheIconIsOfferedBesideTheSelectionOrParkedUnderIt)
{
    desktop.fakeInput.cursor = QPoint(400, 300);
    popup.offerIcon(400, 300);
    EXPECT_TRUE(icon().isVisible());
    EXPECT_EQ(icon().pos(), QPoint(410, 295));
    EXPECT_EQ(WindowEffects::transparencyLevel(&icon()), 20);
    EXPECT_EQ(state.iconAnchorX, 418);
    EXPECT_EQ(state.iconAnchorY, 303);
    EXPECT_NEAR(state.iconAnchorDistance, std::hypot(18.0, 3.0), 1e-9);
    EXPECT_EQ(timers.iconRetire.interval(), 2500);
    EXPECT_TRUE(timers.iconRetire.isEnabled());
    EXPECT_TRUE(timers.iconLeave.isEnabled());
    EXPECT_FALSE(icon().offerPicture->isHidden());
    EXPECT_TRUE(icon().closePicture->isHidden());

    popup.hidePopup();
    timers.iconRetire.setEnabled(false);
    state.settings.set("ControlMode", "1");
    icon().show();
    popup.offerIcon(400, 300);
    EXPECT_FALSE(icon().isVisible()) << "parked hidden for the click that opens";
    EXPECT_EQ(icon().pos(), QPoint(392, 292));
    EXPECT_FALSE(timers.iconRetire.isEnabled());
}

TEST_F(PopupBehaviourTest, OpeningGrowsThePopupFromBelowTheIconAndHidingFadesIt)
{
    offerIcon(600, 300);
    popup.showTranslation("Hallo Welt");
    const QSize target = window().size();
    QRect firstStep;
    desktop.fakeClock.onProcessEvents = [&] {
        if (firstStep.isNull())
            firstStep = window().geometry();
    };
    popup.openPopup(0, 0);
    EXPECT_EQ(icon().pos(), QPoint(610, 295)) << "(0, 0) leaves the icon in place";
    EXPECT_EQ(firstStep.y(), icon().y() + 16);
    EXPECT_LE(firstStep.height(), 30);
    EXPECT_EQ(window().size(), target);
    EXPECT_EQ(WindowEffects::transparencyLevel(&window()), 20);
    EXPECT_TRUE(icon().offerPicture->isHidden());
    EXPECT_FALSE(icon().closePicture->isHidden());
    EXPECT_FALSE(timers.iconLeave.isEnabled());
    EXPECT_FALSE(timers.iconRetire.isEnabled());
    EXPECT_TRUE(popup.shadow().isVisible());

    timers.resultPoll.setInterval(100);
    timers.resultPoll.setEnabled(true);
    std::vector<int> levels;
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&window())); };
    popup.hidePopup();
    EXPECT_EQ(levels, (std::vector<int>{98, 177, 255}));
    EXPECT_FALSE(window().isVisible() || icon().isVisible() || popup.shadow().isVisible());
    EXPECT_TRUE(window().serviceLink->isHidden());
    EXPECT_FALSE(timers.resultPoll.isEnabled());

    // With the icon hidden, hiding does nothing at all.
    window().show();
    timers.resultPoll.setEnabled(true);
    popup.hidePopup();
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(timers.resultPoll.isEnabled());
    window().hide();

    offerIcon(600, 300);
    popup.openPopup(200, 150);
    EXPECT_EQ(icon().pos(), QPoint(192, 142)) << "opening at the pointer centres the icon on it";
}

TEST_F(PopupBehaviourTest, TheIconWaitsForThePointerAndLeavesWhenItMovesAway)
{
    icon().setGeometry(100, 100, 16, 16);
    const std::pair<QPoint, bool> points[] = {{{100, 108}, false}, {{101, 108}, true}, {{115, 108}, true},
                                              {{116, 108}, false}, {{108, 100}, false}, {{108, 116}, false}};
    for (const auto& [pointer, over] : points) {
        desktop.fakeInput.cursor = pointer;
        EXPECT_EQ(popup.isPointerOver(&icon()), over) << pointer.x() << "," << pointer.y();
    }
    EXPECT_FALSE(popup.isPointerOver(nullptr));

    offerIcon(600, 300);
    desktop.fakeInput.cursor = icon().geometry().center();
    popup.onIconRetireTick();
    EXPECT_TRUE(icon().isVisible());
    EXPECT_TRUE(timers.iconRetire.isRunning()) << "a full interval starts anew";
    desktop.fakeInput.cursor = QPoint(10, 10);
    std::vector<int> levels;
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&icon())); };
    popup.onIconRetireTick();
    EXPECT_EQ(levels, (std::vector<int>{131, 162, 193, 224, 255}));
    EXPECT_FALSE(icon().isVisible());
    EXPECT_FALSE(timers.iconRetire.isEnabled());
    desktop.fakeClock.onProcessEvents = nullptr;

    // Anchor (618, 303) at 18.2 px from the pointer: dismissed beyond 68.2 px.
    const std::pair<QPoint, bool> moves[] = {{{618, 303 + 68}, false}, {{618 + 69, 303}, true}, {{618, 303}, false}};
    for (const auto& [pointer, dismissed] : moves) {
        offerIcon(600, 300);
        desktop.fakeInput.cursor = pointer;
        popup.onIconLeaveTick();
        EXPECT_EQ(!icon().isVisible(), dismissed) << pointer.x() << "," << pointer.y();
        EXPECT_EQ(!timers.iconLeave.isEnabled(), dismissed);
        popup.hidePopup();
    }
}

TEST_F(PopupBehaviourTest, TheSecondaryButtonOnTheIconTurnsTranslationOffAnyOtherOpens)
{
    const std::tuple<bool, int, bool> cases[] = {{false, 2, true}, {false, 1, false}, {false, 4, false},
                                                 {true, 2, true},  {true, 1, false}};
    for (const auto& [swapped, button, off] : cases) {
        state.primaryButton = swapped ? 2 : 1;
        state.secondaryButton = swapped ? 1 : 2;
        offerIcon(600, 300);
        popup.showTranslation("Hallo");
        QSignalSpy offs(&popup, &Popup::translateOffRequested);
        emit icon().offerPicture->mouseDown(button);
        EXPECT_EQ(offs.count(), off ? 1 : 0) << swapped << " " << button;
        EXPECT_EQ(window().isVisible(), !off);
        EXPECT_FALSE(timers.iconLeave.isEnabled());
        popup.hidePopup();
    }
}

TEST_F(PopupBehaviourTest, TheLinksActAndCloseThePopup)
{
    QSignalSpy copies(&popup, &Popup::copyRequested);
    QSignalSpy opens(&popup, &Popup::shellOpenRequested);
    QSignalSpy mains(&popup, &Popup::showMainRequested);
    QSignalSpy downloads(&popup, &Popup::downloadPageRequested);

    openWith("Hola mundo", 600, 300);
    emit window().copyLink->clicked();
    EXPECT_EQ(copies.takeFirst().at(0).toString(), "Hola mundo") << "nothing selected: the whole text";
    EXPECT_FALSE(window().isVisible());
    openWith("Hola mundo", 600, 300);
    QTextCursor cursor = window().textView->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    window().textView->setTextCursor(cursor);
    emit window().copyLink->clicked();
    EXPECT_EQ(copies.takeFirst().at(0).toString(), "mundo");

    openWith("Hola", 600, 300);
    emit window().serviceLink->clicked();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(opens.takeFirst().at(0).toString(), "https://www.apertium.org/");
    openWith("Hola", 600, 300);
    emit window().directionLink->clicked();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(mains.count(), 1);
    emit window().updateLink->clicked();
    EXPECT_EQ(downloads.count(), 1);
    openWith("Hola", 600, 300);
    emit icon().closePicture->clicked();
    EXPECT_FALSE(window().isVisible() || icon().isVisible());
}

TEST_F(PopupBehaviourTest, DressingFollowsTheColoursAndTheBorderAndTheDotsCount)
{
    const std::tuple<const char*, bool, QColor> cases[] = {
        {"1", true, QColor(128, 128, 128)}, {"0", false, QColor(255, 255, 255)}, {"abc", false, QColor(255, 255, 255)}};
    for (const auto& [border, shown, iconBackground] : cases) {
        state.settings.set("border", border);
        popup.dress();
        EXPECT_EQ(!window().border->isHidden(), shown) << border;
        EXPECT_EQ(icon().palette().color(QPalette::Window), iconBackground) << border;
    }
    EXPECT_EQ(window().border->borderColor(), QColor(128, 128, 128));
    EXPECT_EQ(window().serviceLink->caption(), "Powered by Apertium");
    EXPECT_EQ(window().copyLink->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(window().updateLink->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_EQ(window().palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(window().copyLink->toolTip(), "Copy to Clipboard");
    EXPECT_EQ(window().directionLink->toolTip(), "Select language");
    EXPECT_EQ(window().updateLink->toolTip(), "Download Latest Version!");

    popup.setShownText(".....");
    QStringList seen;
    for (int step = 0; step < 7; ++step) {
        emit timers.progressDots.timeout();
        seen.append(popup.shownText());
    }
    EXPECT_EQ(seen, QStringList({"", ".", "..", "...", "....", ".....", ""}));
}

} // namespace

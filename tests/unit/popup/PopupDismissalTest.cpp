#include "PopupFixture.h"
#include "popup/BorderShape.h"
#include "common/LinkLabel.h"
#include "popup/IconPicture.h"

#include <QSignalSpy>
#include <QTextCursor>
#include <vector>

namespace {

using OpenAndHide = PopupFixture;

TEST_F(OpenAndHide, OpeningGrowsThePopupFromBelowTheIcon)
{
    offerIcon(600, 300);
    main.iconLeave.setInterval(50);
    main.iconLeave.setEnabled(true);
    main.iconRetire.setInterval(3000);
    main.iconRetire.setEnabled(true);
    popup.showTranslation("Hallo Welt");
    const QSize target = translationWindow().size();

    QRect firstStep;
    desktop.fakeClock.onProcessEvents = [&] {
        if (firstStep.isNull())
            firstStep = translationWindow().geometry();
    };
    popup.openPopup(0, 0);
    EXPECT_EQ(icon().pos(), QPoint(610, 295)) << "(0, 0) leaves the icon in place";
    EXPECT_EQ(firstStep.y(), icon().y() + 16) << "just below the icon";
    EXPECT_LE(firstStep.height(), 30);
    EXPECT_TRUE(translationWindow().isVisible());
    EXPECT_EQ(translationWindow().size(), target);
    EXPECT_EQ(translationWindow().geometry().right(), icon().geometry().right());
    EXPECT_EQ(WindowEffects::transparencyLevel(&translationWindow()), 20);
    EXPECT_EQ(WindowEffects::transparencyLevel(&icon()), 20);
    EXPECT_TRUE(icon().offerPicture->isHidden());
    EXPECT_FALSE(icon().closePicture->isHidden());
    EXPECT_FALSE(main.iconLeave.isEnabled());
    EXPECT_FALSE(main.iconRetire.isEnabled());
    EXPECT_TRUE(popup.shadow().isVisible());

    popup.hidePopup();
    offerIcon(600, 300);
    popup.openPopup(200, 150);
    EXPECT_EQ(icon().pos(), QPoint(192, 142)) << "opening at the pointer centres the icon on it";
}

TEST_F(OpenAndHide, HidingFadesThePopupAndHidesEverything)
{
    openWith("Hallo Welt", 600, 300);
    translationWindow().serviceLink->show();
    main.resultPoll.setInterval(100);
    main.resultPoll.setEnabled(true);
    std::vector<int> levels;
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&translationWindow())); };
    popup.hidePopup();
    EXPECT_EQ(levels, (std::vector<int>{98, 177, 255}));
    EXPECT_FALSE(translationWindow().isVisible());
    EXPECT_FALSE(icon().isVisible());
    EXPECT_FALSE(popup.shadow().isVisible());
    EXPECT_TRUE(translationWindow().serviceLink->isHidden());
    EXPECT_FALSE(main.resultPoll.isEnabled());
}

TEST_F(OpenAndHide, HidingWithTheIconAloneLeavesThePopupAlone)
{
    offerIcon(600, 300);
    popup.hidePopup();
    EXPECT_FALSE(icon().isVisible());
    EXPECT_EQ(desktop.fakeClock.sleptMs, 0) << "no fade for a hidden popup";

    // With the icon hidden nothing at all happens.
    translationWindow().show();
    main.resultPoll.setInterval(100);
    main.resultPoll.setEnabled(true);
    popup.hidePopup();
    EXPECT_TRUE(translationWindow().isVisible());
    EXPECT_TRUE(main.resultPoll.isEnabled());
}

TEST_F(OpenAndHide, APointerIsOverAWindowOnlyStrictlyInside)
{
    icon().setGeometry(100, 100, 16, 16);
    struct Case {
        QPoint pointer;
        bool over;
    };
    for (const Case c : {Case{{100, 108}, false}, {{101, 108}, true}, {{115, 108}, true}, {{116, 108}, false},
                         {{108, 100}, false}, {{108, 115}, true}, {{108, 116}, false}}) {
        desktop.fakeInput.cursor = c.pointer;
        EXPECT_EQ(popup.isPointerOver(&icon()), c.over) << c.pointer.x() << "," << c.pointer.y();
    }
    EXPECT_FALSE(popup.isPointerOver(nullptr));
}

TEST_F(OpenAndHide, TheIconWaitsWhileThePointerRestsOnItAndFadesOnceItLeft)
{
    offerIcon(600, 300);
    main.iconRetire.setInterval(3000);
    main.iconRetire.setEnabled(true);
    desktop.fakeInput.cursor = icon().geometry().center();
    popup.onIconRetireTick();
    EXPECT_TRUE(icon().isVisible());
    EXPECT_TRUE(main.iconRetire.isRunning());

    desktop.fakeInput.cursor = QPoint(10, 10);
    std::vector<int> levels;
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&icon())); };
    popup.onIconRetireTick();
    EXPECT_EQ(levels, (std::vector<int>{131, 162, 193, 224, 255}));
    EXPECT_FALSE(icon().isVisible());
    EXPECT_FALSE(main.iconRetire.isEnabled());
}

TEST_F(OpenAndHide, MovingMoreThan50PxFartherFromTheAnchorDismissesTheIcon)
{
    struct Case {
        QPoint pointer;
        bool dismissed;
    };
    // Anchor (618, 303), first distance 10 px: dismissed beyond 60 px.
    for (const Case c : {Case{{618, 303 + 59}, false}, {{618 + 61, 303}, true}, {{618, 303}, false},
                         {{618 - 50, 303 - 40}, true}}) {
        offerIcon(600, 300);
        state.iconAnchorX = 618;
        state.iconAnchorY = 303;
        state.iconAnchorDistance = 10;
        main.iconLeave.setInterval(50);
        main.iconLeave.setEnabled(true);
        desktop.fakeInput.cursor = c.pointer;
        popup.onIconLeaveTick();
        EXPECT_EQ(!icon().isVisible(), c.dismissed) << c.pointer.x() << "," << c.pointer.y();
        EXPECT_EQ(!main.iconLeave.isEnabled(), c.dismissed);
        popup.hidePopup();
    }
}

TEST_F(OpenAndHide, TheSecondaryButtonOnTheIconTurnsTranslationOff)
{
    struct Case {
        bool swapped;
        int button; // logical, as the press reports it
        bool off;
    };
    // The user's secondary button is the logical right one, whatever the mapping.
    for (const Case c : {Case{false, 2, true}, {false, 1, false}, {false, 4, false}, {true, 2, true},
                         {true, 1, false}}) {
        state.primaryButton = c.swapped ? 2 : 1;
        state.secondaryButton = c.swapped ? 1 : 2;
        offerIcon(600, 300);
        popup.showTranslation("Hallo");
        main.iconLeave.setInterval(50);
        main.iconLeave.setEnabled(true);
        QSignalSpy off(&popup, &Popup::translateOffRequested);
        emit icon().offerPicture->mouseDown(c.button);
        EXPECT_EQ(off.count(), c.off ? 1 : 0) << c.swapped << " " << c.button;
        EXPECT_EQ(translationWindow().isVisible(), !c.off) << "any other button opens the popup";
        EXPECT_EQ(icon().isVisible(), !c.off);
        EXPECT_FALSE(main.iconLeave.isEnabled());
        popup.hidePopup();
    }
}

TEST_F(OpenAndHide, TheLinksActAndCloseThePopup)
{
    QSignalSpy copy(&popup, &Popup::copyRequested);
    QSignalSpy open(&popup, &Popup::shellOpenRequested);
    QSignalSpy showMain(&popup, &Popup::showMainRequested);
    QSignalSpy download(&popup, &Popup::downloadPageRequested);

    openWith("Hola mundo", 600, 300);
    emit translationWindow().copyLink->clicked();
    ASSERT_EQ(copy.count(), 1);
    EXPECT_EQ(copy.takeFirst().at(0).toString(), "Hola mundo") << "nothing selected: the whole text";
    EXPECT_FALSE(translationWindow().isVisible());

    openWith("Hola mundo", 600, 300);
    QTextCursor cursor = translationWindow().textView->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    translationWindow().textView->setTextCursor(cursor);
    emit translationWindow().copyLink->clicked();
    EXPECT_EQ(copy.takeFirst().at(0).toString(), "mundo");

    openWith("Hola", 600, 300);
    emit translationWindow().serviceLink->clicked();
    EXPECT_FALSE(translationWindow().isVisible());
    ASSERT_EQ(open.count(), 1);
    EXPECT_EQ(open.takeFirst().at(0).toString(), "https://www.apertium.org/");

    openWith("Hola", 600, 300);
    emit translationWindow().directionLink->clicked();
    EXPECT_FALSE(translationWindow().isVisible());
    EXPECT_EQ(showMain.count(), 1);

    emit translationWindow().updateLink->clicked();
    EXPECT_EQ(download.count(), 1);

    openWith("Hola", 600, 300);
    emit icon().closePicture->clicked(); // the close mark
    EXPECT_FALSE(translationWindow().isVisible());
    EXPECT_FALSE(icon().isVisible());
}

TEST_F(OpenAndHide, DressingFollowsTheColoursAndTheBorderFlag)
{
    struct Case {
        const char* border;
        bool shown;
        QColor iconBackground;
    };
    for (const Case c : {Case{"1", true, QColor(128, 128, 128)}, {"0", false, QColor(255, 255, 255)},
                         {"abc", false, QColor(255, 255, 255)}}) {
        state.settings.set("border", c.border);
        popup.dress();
        EXPECT_EQ(!translationWindow().border->isHidden(), c.shown) << c.border;
        EXPECT_EQ(icon().palette().color(QPalette::Window), c.iconBackground) << c.border;
    }
    EXPECT_EQ(translationWindow().border->borderColor(), QColor(128, 128, 128));
    EXPECT_EQ(translationWindow().serviceLink->caption(), "Powered by Apertium");
    EXPECT_EQ(translationWindow().copyLink->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(translationWindow().updateLink->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_EQ(translationWindow().palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(translationWindow().copyLink->toolTip(), "Copy to Clipboard");
    EXPECT_EQ(translationWindow().directionLink->toolTip(), "Select language");
    EXPECT_EQ(translationWindow().updateLink->toolTip(), "Download Latest Version!");
    EXPECT_EQ(translationWindow().copyLink->cursor().shape(), Qt::PointingHandCursor);

    popup.showTranslation("<b>bold?</b>");
    EXPECT_EQ(translationWindow().textView->toPlainText(), "<b>bold?</b>") << "markup is shown as text";
}

} // namespace

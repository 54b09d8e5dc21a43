#include "PopupFixture.h"
#include "popup/BorderShape.h"
#include "popup/LinkLabel.h"
#include "popup/PictureBox.h"

#include <QSignalSpy>
#include <QTextCursor>
#include <vector>

namespace {

using OpenAndHide = PopupFixture;

TEST_F(OpenAndHide, OpeningGrowsThePopupFromBelowTheIcon)
{
    offerIcon(600, 300);
    main.tmrOut.setInterval(50);
    main.tmrOut.setEnabled(true);
    main.tmrHideIco.setInterval(3000);
    main.tmrHideIco.setEnabled(true);
    popup.ShowTranslation("Hallo Welt");
    const QSize target = trans().size();

    QRect firstStep;
    desktop.fakeClock.onProcessEvents = [&] {
        if (firstStep.isNull())
            firstStep = trans().geometry();
    };
    popup.OpenPopup(0, 0);
    EXPECT_EQ(icon().pos(), QPoint(610, 295)) << "(0, 0) leaves the icon in place";
    EXPECT_EQ(firstStep.y(), icon().y() + 16) << "just below the icon";
    EXPECT_LE(firstStep.height(), 30);
    EXPECT_TRUE(trans().isVisible());
    EXPECT_EQ(trans().size(), target);
    EXPECT_EQ(trans().geometry().right(), icon().geometry().right());
    EXPECT_EQ(WindowEffects::transparencyLevel(&trans()), 20);
    EXPECT_EQ(WindowEffects::transparencyLevel(&icon()), 20);
    EXPECT_TRUE(icon().ico->isHidden());
    EXPECT_FALSE(icon().icocls->isHidden());
    EXPECT_FALSE(main.tmrOut.isEnabled());
    EXPECT_FALSE(main.tmrHideIco.isEnabled());
    EXPECT_TRUE(popup.shadow().isVisible());

    popup.HidePopup();
    offerIcon(600, 300);
    popup.OpenPopup(200, 150);
    EXPECT_EQ(icon().pos(), QPoint(192, 142)) << "opening at the pointer centres the icon on it";
}

TEST_F(OpenAndHide, HidingFadesThePopupAndHidesEverything)
{
    openWith("Hallo Welt", 600, 300);
    trans().google->show();
    main.tmrTrans.setInterval(100);
    main.tmrTrans.setEnabled(true);
    std::vector<int> levels;
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&trans())); };
    popup.HidePopup();
    EXPECT_EQ(levels, (std::vector<int>{98, 177, 255}));
    EXPECT_FALSE(trans().isVisible());
    EXPECT_FALSE(icon().isVisible());
    EXPECT_FALSE(popup.shadow().isVisible());
    EXPECT_TRUE(trans().google->isHidden());
    EXPECT_FALSE(main.tmrTrans.isEnabled());
}

TEST_F(OpenAndHide, HidingWithTheIconAloneLeavesThePopupAlone)
{
    offerIcon(600, 300);
    popup.HidePopup();
    EXPECT_FALSE(icon().isVisible());
    EXPECT_EQ(desktop.fakeClock.sleptMs, 0) << "no fade for a hidden popup";

    // With the icon hidden nothing at all happens.
    trans().show();
    main.tmrTrans.setInterval(100);
    main.tmrTrans.setEnabled(true);
    popup.HidePopup();
    EXPECT_TRUE(trans().isVisible());
    EXPECT_TRUE(main.tmrTrans.isEnabled());
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
        EXPECT_EQ(popup.IsCursorOverWindow(&icon()), c.over) << c.pointer.x() << "," << c.pointer.y();
    }
    EXPECT_FALSE(popup.IsCursorOverWindow(nullptr));
}

TEST_F(OpenAndHide, TheIconWaitsWhileThePointerRestsOnItAndFadesOnceItLeft)
{
    offerIcon(600, 300);
    main.tmrHideIco.setInterval(3000);
    main.tmrHideIco.setEnabled(true);
    desktop.fakeInput.cursor = icon().geometry().center();
    popup.tmrHideIco_Timer();
    EXPECT_TRUE(icon().isVisible());
    EXPECT_TRUE(main.tmrHideIco.isRunning());

    desktop.fakeInput.cursor = QPoint(10, 10);
    std::vector<int> levels;
    desktop.fakeClock.onProcessEvents = [&] { levels.push_back(WindowEffects::transparencyLevel(&icon())); };
    popup.tmrHideIco_Timer();
    EXPECT_EQ(levels, (std::vector<int>{131, 162, 193, 224, 255}));
    EXPECT_FALSE(icon().isVisible());
    EXPECT_FALSE(main.tmrHideIco.isEnabled());
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
        state.AnchorX = 618;
        state.AnchorY = 303;
        state.AnchorDistance = 10;
        main.tmrOut.setInterval(50);
        main.tmrOut.setEnabled(true);
        desktop.fakeInput.cursor = c.pointer;
        popup.tmrOut_Timer();
        EXPECT_EQ(!icon().isVisible(), c.dismissed) << c.pointer.x() << "," << c.pointer.y();
        EXPECT_EQ(!main.tmrOut.isEnabled(), c.dismissed);
        popup.HidePopup();
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
        state.btnPrimary = c.swapped ? 2 : 1;
        state.btnSecondary = c.swapped ? 1 : 2;
        offerIcon(600, 300);
        popup.ShowTranslation("Hallo");
        main.tmrOut.setInterval(50);
        main.tmrOut.setEnabled(true);
        QSignalSpy off(&popup, &Popup::translateOffRequested);
        emit icon().ico->mouseDown(c.button);
        EXPECT_EQ(off.count(), c.off ? 1 : 0) << c.swapped << " " << c.button;
        EXPECT_EQ(trans().isVisible(), !c.off) << "any other button opens the popup";
        EXPECT_EQ(icon().isVisible(), !c.off);
        EXPECT_FALSE(main.tmrOut.isEnabled());
        popup.HidePopup();
    }
}

TEST_F(OpenAndHide, TheLinksActAndCloseThePopup)
{
    QSignalSpy copy(&popup, &Popup::copyRequested);
    QSignalSpy open(&popup, &Popup::shellOpenRequested);
    QSignalSpy showMain(&popup, &Popup::showMainRequested);
    QSignalSpy download(&popup, &Popup::downloadPageRequested);

    openWith("Hola mundo", 600, 300);
    emit trans().lblCopy->clicked();
    ASSERT_EQ(copy.count(), 1);
    EXPECT_EQ(copy.takeFirst().at(0).toString(), "Hola mundo") << "nothing selected: the whole text";
    EXPECT_FALSE(trans().isVisible());

    openWith("Hola mundo", 600, 300);
    QTextCursor cursor = trans().lblText->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    trans().lblText->setTextCursor(cursor);
    emit trans().lblCopy->clicked();
    EXPECT_EQ(copy.takeFirst().at(0).toString(), "mundo");

    openWith("Hola", 600, 300);
    emit trans().google->clicked();
    EXPECT_FALSE(trans().isVisible());
    ASSERT_EQ(open.count(), 1);
    EXPECT_EQ(open.takeFirst().at(0).toString(), "https://www.apertium.org/");

    openWith("Hola", 600, 300);
    emit trans().lbldir->clicked();
    EXPECT_FALSE(trans().isVisible());
    EXPECT_EQ(showMain.count(), 1);

    emit trans().lblNew->clicked();
    EXPECT_EQ(download.count(), 1);

    openWith("Hola", 600, 300);
    emit icon().icocls->clicked(); // the close mark
    EXPECT_FALSE(trans().isVisible());
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
        EXPECT_EQ(!trans().border->isHidden(), c.shown) << c.border;
        EXPECT_EQ(icon().palette().color(QPalette::Window), c.iconBackground) << c.border;
    }
    EXPECT_EQ(trans().border->borderColor(), QColor(128, 128, 128));
    EXPECT_EQ(trans().google->caption(), "Powered by Apertium");
    EXPECT_EQ(trans().lblCopy->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(trans().lblNew->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_EQ(trans().palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(trans().lblCopy->toolTip(), "Copy to Clipboard");
    EXPECT_EQ(trans().lbldir->toolTip(), "Select language");
    EXPECT_EQ(trans().lblNew->toolTip(), "Download Latest Version!");
    EXPECT_EQ(trans().lblCopy->cursor().shape(), Qt::PointingHandCursor);

    popup.ShowTranslation("<b>bold?</b>");
    EXPECT_EQ(trans().lblText->toPlainText(), "<b>bold?</b>") << "markup is shown as text";
}

} // namespace

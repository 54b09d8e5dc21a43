// How the popup sizes its text and places itself: natural width or the set width, the
// footer row, the selection's left end, the monitor's edges, and the glide.
#include "PopupFixture.h"
#include "common/WindowEffects.h"
#include "popup/EdgeCorrection.h"

#include <QScrollBar>
#include <QTextCursor>

namespace {

using PopupLayoutTest = PopupFixture;

const QString LongText = QString("The quick brown fox jumps over the lazy dog. ").repeated(8);

TEST_F(PopupLayoutTest, OneLineTakesItsNaturalWidthALongerTextWrapsAtTheSetWidth)
{
    offerIcon(700, 300);
    popup.showResult(QString(10005, QChar('x')));
    QTextCursor cursor(window().textView->document());
    cursor.setPosition(10000);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(cursor.charFormat().fontPointSize(), 10);
    cursor.setPosition(10002);
    EXPECT_NE(cursor.charFormat().foreground().color(), QColor(255, 0, 0)) << "only the first 10000 are formatted";
    // On a dark look the characters past the formatted part show in the text colour too.
    settings.background = 0x000000;
    settings.text = 0xFFFFFF;
    configure();
    popup.showResult(QString(10000, QChar('x')) + QString(200, QChar('W')));
    window().textView->verticalScrollBar()->setValue(window().textView->verticalScrollBar()->maximum());
    const QImage lastLines = window().textView->viewport()->grab().toImage();
    int light = 0;
    for (int y = lastLines.height() - 20; y < lastLines.height(); ++y)
        for (int x = 0; x < lastLines.width(); ++x)
            light += qGray(lastLines.pixel(x, y)) > 128;
    EXPECT_GT(light, 50) << "the unformatted characters are drawn light on dark";

    popup.showResult("Hallo");
    const int oneLine = window().textView->height();
    EXPECT_LT(window().width(), 100);
    EXPECT_EQ(window().size(), window().textView->size() + QSize(12, 16)) << "the margins, no footer";
    EXPECT_EQ(window().textView->pos(), QPoint(6, 8));
    popup.showResult(LongText);
    EXPECT_EQ(window().textView->width(), 450 + 5);
    EXPECT_GT(window().textView->height(), 2 * oneLine);
    settings.wrapWidthPx = 60;
    configure();
    popup.showResult("Donaudampfschifffahrtsgesellschaftskapitän");
    EXPECT_GT(window().textView->width(), 60 + 5) << "a long word widens the popup";
    popup.showResult("<b>bold?</b>");
    EXPECT_EQ(popup.shownText(), "<b>bold?</b>") << "markup is shown as text";
}

TEST_F(PopupLayoutTest, TheFooterGetsRoomBesideAWideResultAndItsLinksLineUp)
{
    popup.showResult(LongText);
    const int withFooter = window().height() - window().textView->height();
    EXPECT_NEAR(withFooter, 16 + 1.5 * window().serviceLink->height(), 0.5);
    popup.showMessage("Hallo");
    EXPECT_EQ(window().height() - window().textView->height(), 16) << "no room beside a narrow text";
    settings.serviceCaption.clear();
    configure();
    popup.showResult(LongText);
    EXPECT_EQ(window().height() - window().textView->height(), 16) << "nor without a service link";

    TranslationPopup& f = window();
    settings.serviceCaption = "Powered by Apertium";
    configure();
    popup.showDirection("en-es");
    popup.showUpdateOffer("2.0.0");
    popup.showResult(LongText);
    EXPECT_NEAR(f.serviceLink->y(), f.textView->y() + f.textView->height() + f.serviceLink->height() / 2, 1);
    EXPECT_EQ(f.serviceLink->x(), f.textView->x());
    EXPECT_EQ(f.updateLink->x() + f.updateLink->width() + 10, f.width()) << "the update link at the right";
    EXPECT_EQ(f.directionLink->x() + f.directionLink->width() + 10, f.updateLink->x());
    EXPECT_EQ(f.copyLink->x() + f.copyLink->width() + 10, f.directionLink->x());
}

TEST_F(PopupLayoutTest, AHiddenPopupWaitsAtTheIconAShownOneGlidesUnderIt)
{
    // After a popup raised at the bottom, a selection near the top: its result waits
    // under the icon, which stays where it was offered.
    openWith(LongText.repeated(3), 500, 740);
    dismiss();
    offerIcon(500, 40);
    const QPoint offered = icon().pos();
    popup.showResult(LongText.repeated(3));
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(icon().pos(), offered);
    EXPECT_EQ(window().pos(), QPoint(icon().x(), icon().y() + 16));
    popup.hidePopup();
    offerIcon(1020, 300);
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(icon().geometry())) << "a selection ending at the screen's edge";
    popup.hidePopup();

    openWith(".....", 700, 300, 100);
    const QRect waiting = window().geometry();
    EXPECT_EQ(waiting.right(), icon().geometry().right());
    popup.showResult(LongText);
    const QRect firstStep = window().geometry();
    settle();
    EXPECT_LT(firstStep.width(), window().width()) << "it glides";
    EXPECT_EQ(window().geometry(), QRect(waiting.right() - 466, waiting.y(), 467, window().height()));
    dismiss();
    openWith(LongText, 700, 300, 400);
    EXPECT_EQ(window().x(), 400) << "no further left than the selection";
}

TEST_F(PopupLayoutTest, ThePopupStaysOnItsMonitorWhateverItHoldsAndWhereverThePointerWent)
{
    for (const auto& [monitors, end, monitor] :
         {std::tuple{QList<QRect>{}, QPoint(1000, 760), QRect(0, 0, 1024, 768)},
          {QList<QRect>{{0, 0, 1024, 768}, {1024, 0, 1280, 1024}}, QPoint(2290, 1000), QRect(1024, 0, 1280, 1024)}}) {
        desktop.fakeScreen.monitors = monitors;
        for (const QString& text : {QString("a"), LongText, QString(3000, QChar('w'))}) {
            openWith(text, end.x(), end.y());
            const QRect placed = window().geometry();
            EXPECT_TRUE(monitor.contains(placed)) << text.size();
            EXPECT_EQ(icon().geometry().bottom() + 1, placed.y()) << "the icon sits above a raised popup";
            dismiss();
        }
    }
    // A result that comes while the pointer is on the other monitor stays with the popup.
    desktop.fakeScreen.monitors = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
    openWith(".....", 900, 700);
    desktop.fakeInput.cursor = QPoint(2000, 100);
    popup.showResult(LongText.repeated(3));
    settle();
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(window().geometry()));
    dismiss();
    desktop.fakeScreen.monitors.clear();
    for (const auto& [point, width] : {std::pair{400.0, 450.0}, {1638.0, 0.0}, {8.0, 10000.0}}) {
        settings = popupSettings();
        settings.fontPointSize = point;
        settings.wrapWidthPx = width;
        configure();
        openWith(LongText.repeated(4), 1023, 767);
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(window().geometry()))
            << point << " " << width << ": " << window().geometry().x() << "," << window().geometry().y() << " "
            << window().width() << "x" << window().height();
        EXPECT_EQ(popup.shownText(), LongText.repeated(4)) << "nothing of the text is lost";
        dismiss();
    }
    openWith(QString("lorem ipsum dolor sit amet ").repeated(7500), 500, 400);
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(window().geometry()))
        << window().geometry().x() << "," << window().geometry().y() << " " << window().width() << "x" << window().height();
    EXPECT_EQ(window().textView->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded) << "it scrolls instead";

    // On a 1024 x 768 monitor, for a 200 x 100 popup.
    for (const auto& [at, offMonitors, expected, raised] :
         {std::tuple{QPoint(-30, -10), false, QPoint(-30, -10), false},
          {QPoint(930, 730), false, QPoint(824, 668), true},
          {QPoint(1024, 730), false, QPoint(1024, 730), false}, // starts on a neighbouring monitor
          {QPoint(1024, 730), true, QPoint(824, 668), true}}) {
        const EdgePlacement placed = correctAtMonitorEdges(at.x(), at.y(), 200, 100, {0, 0, 1024, 768}, offMonitors);
        EXPECT_EQ(QPoint(placed.left, placed.top), expected);
        EXPECT_EQ(placed.raised, raised);
    }
}

TEST_F(PopupLayoutTest, TheGlideGrowsTheWidthFirstEndsWithTheShadowAndANewOneTakesOver)
{
    // SmoothGlide 10: each step closes half the distance.
    const QList<QRect> path = PopupGlide::frames(QRect(500, 300, 16, 30), 200, 100, 400, 2);
    ASSERT_GT(path.size(), 10);
    for (qsizetype i = 1; i < path.size(); ++i) {
        EXPECT_GE(path[i].width(), path[i - 1].width());
        EXPECT_LE(path[i].x(), path[i - 1].x());
        if (path[i].height() > 30) {
            EXPECT_EQ(path[i].width(), 200) << "the height grows only once the width is complete: " << i;
        }
    }
    EXPECT_EQ(path.last(), QRect(400, 300, 200, 100));
    EXPECT_GT(PopupGlide::frames(QRect(500, 300, 16, 30), 200, 100, 400, 6).size(), path.size())
        << "the smoothest glide takes more steps";

    window().setGeometry(500, 300, 16, 30);
    window().show();
    popup.showMessage(LongText);
    desktop.fakeClock.advance(60);
    EXPECT_FALSE(popup.shadow().isVisible()) << "the shadow comes at the end";
    popup.showMessage("Hallo"); // takes over
    settle();
    EXPECT_EQ(window().size(), window().textView->size() + QSize(12, 16));
    EXPECT_TRUE(popup.shadow().isVisible());
    EXPECT_EQ(popup.shadow().geometry(), QRect(window().pos(), window().size() + QSize(5, 5)));

    const char* const cases[] = {"shadow off", "no compositor"};
    for (int i = 0; i < 2; ++i) {
        popup.shadow().hide();
        settings.shadow = i != 0;
        desktop.fakeScreen.compositing = i != 1;
        configure();
        window().setGeometry(200, 150, 16, 30);
        popup.showMessage(LongText);
        settle();
        EXPECT_FALSE(popup.shadow().isVisible()) << cases[i];
        EXPECT_EQ(window().width(), window().textView->width() + 12) << cases[i] << ": the glide still completes";
    }
}

} // namespace

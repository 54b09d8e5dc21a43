// How the popup sizes its text and places itself: natural width or the set width, the
// footer row, the selection's left end, and the monitor's right and bottom edges.
#include "PopupFixture.h"
#include "popup/BorderShape.h"
#include "popup/EdgeCorrection.h"

#include <QScrollBar>
#include <QTextCursor>

namespace {

using PopupLayoutTest = PopupFixture;

const QString LongText = QString("The quick brown fox jumps over the lazy dog. ").repeated(8);

TEST_F(PopupLayoutTest, OneLineTakesItsNaturalWidthALongerTextWrapsAtTheSetWidth)
{
    offerIcon(700, 300);
    popup.showTranslation(QString(10005, QChar('x')));
    QTextCursor cursor(window().textView->document());
    cursor.setPosition(10000);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(cursor.charFormat().fontPointSize(), 10);
    cursor.setPosition(10002);
    EXPECT_NE(cursor.charFormat().foreground().color(), QColor(255, 0, 0)) << "only the first 10000 are formatted";
    EXPECT_FALSE(window().textView->textCursor().hasSelection());
    // On a dark look the characters past the formatted part show in the text colour too.
    state.backColour = 0x000000;
    state.textColour = 0xFFFFFF;
    popup.dress();
    popup.showTranslation(QString(10000, QChar('x')) + QString(200, QChar('W')));
    window().textView->verticalScrollBar()->setValue(window().textView->verticalScrollBar()->maximum());
    const QImage lastLines = window().textView->viewport()->grab().toImage();
    int light = 0;
    for (int y = lastLines.height() - 20; y < lastLines.height(); ++y)
        for (int x = 0; x < lastLines.width(); ++x)
            light += qGray(lastLines.pixel(x, y)) > 128;
    EXPECT_GT(light, 50) << "the unformatted characters are drawn light on dark";

    popup.showTranslation("Hallo");
    const int oneLine = window().textView->height();
    EXPECT_LT(window().width(), 100);
    EXPECT_EQ(window().size(), window().textView->size() + QSize(12, 16)) << "the margins, no footer";
    EXPECT_EQ(window().textView->pos(), QPoint(6, 8));
    popup.showTranslation(LongText);
    EXPECT_EQ(window().textView->width(), 450 + 5);
    EXPECT_GT(window().textView->height(), 2 * oneLine);
    state.settings.set("transwidth", "60");
    popup.showTranslation("Donaudampfschifffahrtsgesellschaftskapitän");
    EXPECT_GT(window().textView->width(), 60 + 5) << "a long word widens the popup";
    popup.showTranslation("<b>bold?</b>");
    EXPECT_EQ(popup.shownText(), "<b>bold?</b>") << "markup is shown as text";
}

TEST_F(PopupLayoutTest, TheFooterGetsRoomBesideAWideResultAndItsLinksLineUp)
{
    for (const auto& [text, linkShown, caption, footer] :
         {std::tuple{LongText, true, "Powered by Apertium", true}, {LongText, false, "Powered by Apertium", false},
          {QString("Hallo"), true, "Powered by Apertium", false}, {LongText, true, "", false}}) {
        window().serviceLink->setCaption(caption);
        window().serviceLink->setVisible(linkShown);
        popup.showTranslation(text);
        const double room = footer ? 1.5 * window().serviceLink->height() : 0;
        EXPECT_NEAR(window().height(), window().textView->height() + room + 16, 0.5) << caption << linkShown;
    }
    TranslationPopup& f = window();
    f.serviceLink->setCaption("Powered by Apertium");
    f.serviceLink->show();
    popup.showDirection("en-es");
    popup.showUpdateOffer("2.0.0");
    popup.showTranslation(LongText);
    EXPECT_NEAR(f.serviceLink->y(), f.textView->y() + f.textView->height() + f.serviceLink->height() / 2, 1);
    EXPECT_EQ(f.serviceLink->x(), f.textView->x());
    EXPECT_EQ(f.updateLink->geometry().right() + 1, f.width() - 10);
    EXPECT_EQ(f.directionLink->geometry().right() + 1, f.updateLink->x() - 10);
    EXPECT_EQ(f.copyLink->geometry().right() + 1, f.directionLink->x() - 10);
    EXPECT_EQ(f.copyLink->y(), f.serviceLink->y());
    EXPECT_EQ(f.border->geometry(), f.rect());
    f.show();
    f.resize(249, 100);
    EXPECT_EQ(f.serviceLink->x(), 667) << "a narrow popup parks the service and update links at 10000 twips";
    EXPECT_EQ(f.updateLink->x(), 667);
    EXPECT_EQ(f.directionLink->geometry().right() + 1, 249 - 10);
    f.resize(250, 100);
    EXPECT_EQ(f.serviceLink->x(), 6);
}

TEST_F(PopupLayoutTest, AHiddenPopupWaitsAtTheIconAShownOneGlidesUnderIt)
{
    // After a popup raised at the bottom, a selection near the top: its result waits
    // under the icon, which stays where it was offered.
    openWith(LongText.repeated(3), 500, 740);
    popup.hidePopup();
    offerIcon(500, 40);
    const QPoint offered = icon().pos();
    popup.showTranslation(LongText.repeated(3));
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(icon().pos(), offered);
    EXPECT_EQ(window().pos(), QPoint(icon().x(), icon().y() + 16));
    popup.hidePopup();
    offerIcon(1020, 300);
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(icon().geometry())) << "a selection ending at the screen's edge";

    state.selectionLeftTwips = 100 * 15;
    openWith(".....", 700, 300);
    const QRect waiting = window().geometry();
    EXPECT_EQ(waiting.right(), icon().geometry().right());
    EXPECT_EQ(waiting.y(), icon().y() + 16);
    window().serviceLink->show();
    popup.showTranslation(LongText);
    EXPECT_GT(desktop.fakeClock.sleptMs, 60) << "it glides";
    EXPECT_EQ(window().geometry(), QRect(waiting.right() - 466, waiting.y(), 467, window().height()));
    popup.hidePopup();
    state.selectionLeftTwips = 400 * 15;
    openWith(LongText, 700, 300);
    EXPECT_EQ(window().x(), 400) << "no further left than the selection";
}

TEST_F(PopupLayoutTest, ThePopupStaysOnTheMonitorUnderThePointerWhateverItHolds)
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
            popup.hidePopup();
        }
    }
    // A result that comes while the pointer is on the other monitor stays with the popup.
    desktop.fakeScreen.monitors = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
    openWith(".....", 900, 700);
    desktop.fakeInput.cursor = QPoint(2000, 100);
    popup.showTranslation(LongText.repeated(3));
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(window().geometry()));
    popup.hidePopup();
    desktop.fakeScreen.monitors.clear();
    for (const auto& [key, value] : {std::pair{"FontSize", "400"}, {"FontSize", "abc"}, {"transwidth", "0"},
                                     {"transwidth", "10000"}, {"Transparency", "300"}}) {
        state = popupState();
        state.settings.set(key, value);
        openWith(LongText.repeated(4), 1023, 767);
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(window().geometry())) << key << " " << value;
        EXPECT_EQ(popup.shownText(), LongText.repeated(4)) << "nothing of the text is lost";
        popup.hidePopup();
    }
    openWith(QString("lorem ipsum dolor sit amet ").repeated(7500), 500, 400);
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(window().geometry()));
    EXPECT_EQ(window().textView->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded) << "it scrolls instead";

    // In twips on a 1024 x 768 monitor, for a 3000 x 1500 popup.
    for (const auto& [at, offMonitors, expected, raised] :
         {std::tuple{QPoint(-500, -200), false, QPoint(-500, -200), false},
          {QPoint(14000, 11000), false, QPoint(12360, 10020), true},
          {QPoint(15360, 11000), false, QPoint(15360, 11000), false}, // starts on a neighbouring monitor
          {QPoint(15360, 11000), true, QPoint(12360, 10020), true}}) {
        const EdgePlacement placed = correctAtMonitorEdges(at.x(), at.y(), 3000, 1500, {0, 0, 15360, 11520}, offMonitors);
        EXPECT_EQ(QPoint(placed.left, placed.top), expected);
        EXPECT_EQ(placed.raised, raised);
    }
}

} // namespace

// How the popup sizes its text and places itself: natural width or the set width,
// the footer row, the selection's left end, and the monitor's right and bottom edges.
#include "PopupFixture.h"
#include "popup/BorderShape.h"
#include "popup/EdgeCorrection.h"

#include <QTextCursor>

namespace {

using PopupLayoutTest = PopupFixture;

const QString LongText = QString("The quick brown fox jumps over the lazy dog. ").repeated(8);

TEST_F(PopupLayoutTest, OneLineTakesItsNaturalWidthALongerTextWrapsAtTheSetWidth)
{
    offerIcon(700, 300);
    popup.showTranslation(QString(10005, QChar('x')));
    const auto formatAt = [&](int position) {
        QTextCursor cursor(window().textView->document());
        cursor.setPosition(position);
        return cursor.charFormat();
    };
    EXPECT_EQ(formatAt(1).foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(formatAt(10000).fontPointSize(), 10);
    EXPECT_NE(formatAt(10002).foreground().color(), QColor(255, 0, 0)) << "only the first 10000 are formatted";
    EXPECT_FALSE(window().textView->textCursor().hasSelection());

    popup.showTranslation("Hallo");
    const int oneLine = window().textView->height();
    EXPECT_LT(window().width(), 100);
    EXPECT_EQ(window().width(), window().textView->width() + 12) << "twice the 6-px left margin";
    EXPECT_EQ(window().height(), oneLine + 16) << "twice the 8-px top margin, no footer";
    EXPECT_EQ(window().textView->pos(), QPoint(6, 8));

    popup.showTranslation(LongText);
    EXPECT_EQ(window().textView->width(), 450 + 5);
    EXPECT_GT(window().textView->height(), 2 * oneLine);
    EXPECT_EQ(popup.shownText(), LongText);

    state.settings.set("transwidth", "60");
    popup.showTranslation("Donaudampfschifffahrtsgesellschaftskapitän");
    EXPECT_GT(window().textView->width(), 60 + 5) << "a long word widens the popup";

    popup.showTranslation("<b>bold?</b>");
    EXPECT_EQ(window().textView->toPlainText(), "<b>bold?</b>") << "markup is shown as text";
}

TEST_F(PopupLayoutTest, TheFooterGetsRoomBesideAWideResultAndItsLinksLineUp)
{
    const std::tuple<const char*, QString, bool, const char*, bool> cases[] = {
        {"wide text, link shown", LongText, true, "Powered by Apertium", true},
        {"wide text, link hidden", LongText, false, "Powered by Apertium", false},
        {"narrow text, link shown", "Hallo", true, "Powered by Apertium", false},
        {"wide text, empty caption", LongText, true, "", false},
    };
    for (const auto& [name, text, linkShown, caption, footer] : cases) {
        window().serviceLink->setCaption(caption);
        window().serviceLink->setVisible(linkShown);
        popup.showTranslation(text);
        const double room = footer ? 1.5 * window().serviceLink->height() : 0;
        EXPECT_NEAR(window().height(), window().textView->height() + room + 16, 0.5) << name;
    }

    TranslationPopup& f = window();
    f.serviceLink->setCaption("Powered by Apertium");
    f.serviceLink->show();
    popup.showDirection("en-es");
    popup.showUpdateOffer("2.0.0");
    popup.showTranslation(LongText);
    EXPECT_NEAR(f.serviceLink->y(), f.textView->y() + f.textView->height() + f.serviceLink->height() / 2, 1);
    EXPECT_EQ(f.serviceLink->x(), f.textView->x());
    EXPECT_EQ(f.updateLink->x() + f.updateLink->width(), f.width() - 10);
    EXPECT_EQ(f.directionLink->x() + f.directionLink->width(), f.updateLink->x() - 10);
    EXPECT_EQ(f.copyLink->x() + f.copyLink->width(), f.directionLink->x() - 10);
    for (const QWidget* label : {f.directionLink, f.updateLink, f.copyLink})
        EXPECT_EQ(label->y(), f.serviceLink->y());
    EXPECT_EQ(f.border->geometry(), f.rect());

    // A narrow popup parks the service and update links beyond its right edge.
    f.show();
    f.resize(249, 100);
    EXPECT_EQ(f.serviceLink->x(), 667) << "10000 twips";
    EXPECT_EQ(f.updateLink->x(), 667);
    EXPECT_EQ(f.directionLink->x() + f.directionLink->width(), 249 - 10);
    f.resize(250, 100);
    EXPECT_EQ(f.serviceLink->x(), 6);
}

TEST_F(PopupLayoutTest, AHiddenPopupWaitsAtTheIconAShownOneGlidesUnderIt)
{
    offerIcon(500, 300);
    window().move(20, 280);
    popup.showTranslation("Hallo Welt");
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().pos(), QPoint(icon().x(), 280));

    state.selectionLeftTwips = 100 * 15;
    openWith(".....", 700, 300);
    const QRect waiting = window().geometry();
    EXPECT_EQ(waiting.right(), icon().geometry().right());
    EXPECT_EQ(waiting.y(), icon().y() + 16);
    int glideSteps = 0;
    desktop.fakeClock.onProcessEvents = [&] { ++glideSteps; };
    window().serviceLink->show();
    popup.showTranslation(LongText);
    EXPECT_GT(glideSteps, 2);
    EXPECT_EQ(window().width(), 467);
    EXPECT_EQ(window().geometry().right(), icon().geometry().right());
    EXPECT_EQ(window().y(), waiting.y());

    popup.hidePopup();
    state.selectionLeftTwips = 400 * 15;
    openWith(LongText, 700, 300);
    EXPECT_EQ(window().x(), 400) << "no further left than the selection";
}

TEST_F(PopupLayoutTest, ThePopupStaysOnTheMonitorUnderThePointer)
{
    const std::tuple<const char*, QList<QRect>, QPoint, QRect> cases[] = {
        {"bottom-right corner", {}, {1000, 760}, {0, 0, 1024, 768}},
        {"last pixel column", {}, {1023, 400}, {0, 0, 1024, 768}},
        {"second, taller monitor", {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}}, {2290, 1000}, {1024, 0, 1280, 1024}},
    };
    for (const auto& [name, monitors, end, monitor] : cases) {
        desktop.fakeScreen.monitors = monitors;
        for (const QString& text : {QString("a"), LongText}) {
            openWith(text, end.x(), end.y());
            const QRect placed = window().geometry();
            EXPECT_LE(placed.x() + placed.width(), monitor.x() + monitor.width()) << name;
            EXPECT_LE(placed.y() + placed.height(), monitor.y() + monitor.height()) << name;
            EXPECT_TRUE(monitor.contains(placed.topLeft())) << name;
            if (placed.y() < end.y()) {
                EXPECT_EQ(icon().y() + icon().height(), placed.y()) << name << ": the icon sits above";
            }
            popup.hidePopup();
        }
    }
}

TEST(EdgeCorrection, PullsBackAtTheRightAndRaisesAtTheBottomOnly)
{
    // Twips of a 1024 x 768 monitor at 15 twips per pixel; the popup is 3000 x 1500.
    const QRect monitor(0, 0, 15360, 11520);
    const std::tuple<const char*, QPoint, bool, QPoint, bool> cases[] = {
        {"inside", {1000, 1000}, false, {1000, 1000}, false},
        {"bottom-right corner", {14000, 11000}, false, {12360, 10020}, true},
        {"left and top are never corrected", {-500, -200}, false, {-500, -200}, false},
        {"starting at the right edge, on a neighbour", {15360, 11000}, false, {15360, 11000}, false},
        {"starting at the right edge, on no monitor", {15360, 11000}, true, {12360, 10020}, true},
    };
    for (const auto& [name, at, offMonitors, expected, raised] : cases) {
        const EdgePlacement placed = correctAtMonitorEdges(at.x(), at.y(), 3000, 1500, monitor, offMonitors);
        EXPECT_EQ(QPoint(placed.left, placed.top), expected) << name;
        EXPECT_EQ(placed.raised, raised) << name;
    }
}

TEST_F(PopupLayoutTest, OddSettingsAndTextsStillFitTheMonitor)
{
    const std::tuple<const char*, const char*, QString> cases[] = {
        {"", "", QString(3000, QChar('w'))},
        {"", "", QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x98\x80")},
        {"FontSize", "400", LongText},
        {"FontSize", "abc", LongText},
        {"transwidth", "0", LongText},
        {"transwidth", "10000", LongText.repeated(4)},
        {"Transparency", "300", LongText},
    };
    for (const auto& [key, value, text] : cases) {
        state = shippedState();
        if (*key)
            state.settings.set(key, value);
        for (const QPoint corner : {QPoint(0, 0), QPoint(1023, 767)}) {
            openWith(text, corner.x(), corner.y());
            const QRect placed = window().geometry();
            EXPECT_LE(placed.x() + placed.width(), 1024) << key << " " << value;
            EXPECT_LE(placed.y() + placed.height(), 768) << key << " " << value;
            EXPECT_EQ(popup.shownText(), text) << "nothing of the text is lost";
            popup.hidePopup();
        }
    }
    const QString huge = QString("lorem ipsum dolor sit amet ").repeated(7500).left(200000);
    openWith(huge, 500, 400);
    EXPECT_LE(window().geometry().bottom(), 767);
    EXPECT_GE(window().y(), 0);
    EXPECT_EQ(window().textView->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded) << "it scrolls instead";
}

} // namespace

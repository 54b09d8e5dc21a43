#include "PopupFixture.h"
#include "popup/BorderShape.h"
#include "common/LinkLabel.h"

#include <QTextCursor>
#include <QTextEdit>

namespace {

using showTranslation = PopupFixture;

const QString LongText = QString("The quick brown fox jumps over the lazy dog. ").repeated(8);

TEST_F(showTranslation, OneLineTakesItsNaturalWidthAndLongerTextWrapsAtTheSetWidth)
{
    offerIcon(700, 300);
    popup.showTranslation("Hallo");
    const int oneLineHeight = translationWindow().textView->height();
    EXPECT_LT(translationWindow().width(), 100);
    EXPECT_EQ(translationWindow().width(), translationWindow().textView->width() + 12) << "twice the 6-px left margin";
    EXPECT_EQ(translationWindow().height(), translationWindow().textView->height() + 16) << "twice the 8-px top margin, no footer";

    popup.showTranslation(LongText);
    EXPECT_EQ(translationWindow().textView->width(), 450 + 5);
    EXPECT_EQ(translationWindow().width(), 450 + 5 + 12);
    EXPECT_GT(translationWindow().textView->height(), 2 * oneLineHeight);
    EXPECT_EQ(popup.shownText(), LongText);
}

TEST_F(showTranslation, AWordLongerThanTheWidthMakesAWiderPopup)
{
    state.settings.set("transwidth", "60");
    popup.showTranslation("Donaudampfschifffahrtsgesellschaftskapitän");
    EXPECT_GT(translationWindow().textView->width(), 60 + 5);
}

TEST_F(showTranslation, TheFirst10000CharactersGetTheTextColourAndSize)
{
    popup.showTranslation(QString(10005, QChar('x')));
    auto formatAt = [&](int position) {
        QTextCursor cursor(translationWindow().textView->document());
        cursor.setPosition(position);
        return cursor.charFormat();
    };
    EXPECT_EQ(formatAt(1).foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(formatAt(1).fontPointSize(), 10);
    EXPECT_DOUBLE_EQ(formatAt(10000).fontPointSize(), 10);
    EXPECT_NE(formatAt(10002).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(translationWindow().textView->textCursor().hasSelection());
}

TEST_F(showTranslation, TheFooterRowGetsRoomOnlyBesideAWideTextWithTheServiceLink)
{
    struct Case {
        const char* name;
        QString text;
        bool googleShown;
        QString caption;
        bool footer;
    };
    const Case cases[] = {
        {"wide text, link shown", LongText, true, "Powered by Apertium", true},
        {"wide text, link hidden (interim text)", LongText, false, "Powered by Apertium", false},
        {"narrow text, link shown", "Hallo", true, "Powered by Apertium", false},
        {"wide text, empty caption", LongText, true, "", false},
    };
    for (const Case& c : cases) {
        translationWindow().serviceLink->setCaption(c.caption);
        translationWindow().serviceLink->setVisible(c.googleShown);
        popup.showTranslation(c.text);
        const double footer = c.footer ? 1.5 * translationWindow().serviceLink->height() : 0;
        EXPECT_NEAR(translationWindow().height(), translationWindow().textView->height() + footer + 16, 0.5) << c.name;
    }
}

TEST_F(showTranslation, TheFooterLinksLineUpRightAlignedBelowTheText)
{
    translationWindow().serviceLink->show();
    translationWindow().directionLink->setCaption("en-es");
    translationWindow().updateLink->setCaption("New v2.0.0");
    translationWindow().updateLink->show();
    popup.showTranslation(LongText);
    TranslationPopup& f = translationWindow();
    const int row = f.textView->y() + f.textView->height() + f.serviceLink->height() / 2;
    EXPECT_NEAR(f.serviceLink->y(), row, 1);
    EXPECT_EQ(f.serviceLink->x(), f.textView->x());
    EXPECT_EQ(f.updateLink->x() + f.updateLink->width(), f.width() - 10);
    EXPECT_EQ(f.directionLink->x() + f.directionLink->width(), f.updateLink->x() - 10);
    EXPECT_EQ(f.copyLink->x() + f.copyLink->width(), f.directionLink->x() - 10);
    for (const QWidget* label : {f.directionLink, f.updateLink, f.copyLink})
        EXPECT_EQ(label->y(), f.serviceLink->y());
    EXPECT_EQ(f.border->geometry(), f.rect());
    EXPECT_LE(f.serviceLink->y() + f.serviceLink->height(), f.height()) << "the footer is inside the popup";
}

TEST_F(showTranslation, ANarrowPopupParksTheServiceAndVersionLinks)
{
    translationWindow().serviceLink->show();
    translationWindow().updateLink->show();
    translationWindow().show();
    translationWindow().resize(249, 100);
    EXPECT_EQ(translationWindow().serviceLink->x(), 667) << "10000 twips";
    EXPECT_EQ(translationWindow().updateLink->x(), 667);
    EXPECT_EQ(translationWindow().directionLink->x() + translationWindow().directionLink->width(), 249 - 10);
    translationWindow().resize(250, 100);
    EXPECT_EQ(translationWindow().serviceLink->x(), 6);
    EXPECT_EQ(translationWindow().updateLink->x() + translationWindow().updateLink->width(), 250 - 10);
}

TEST_F(showTranslation, AHiddenPopupStaysHiddenAtTheIcon)
{
    offerIcon(500, 300);
    translationWindow().move(20, 280);
    popup.showTranslation("Hallo Welt");
    EXPECT_FALSE(translationWindow().isVisible());
    EXPECT_EQ(translationWindow().pos(), QPoint(icon().x(), 280));
}

TEST_F(showTranslation, AShownPopupGlidesToTheNewSizeWithItsRightEdgeUnderTheIcon)
{
    state.selectionLeftTwips = 100 * 15;
    openWith(".....", 700, 300);
    const QRect waiting = translationWindow().geometry();
    EXPECT_EQ(waiting.right(), icon().geometry().right());

    int glideSteps = 0;
    desktop.fakeClock.onProcessEvents = [&] { ++glideSteps; };
    translationWindow().serviceLink->show();
    popup.showTranslation(LongText);
    EXPECT_GT(glideSteps, 2);
    EXPECT_EQ(translationWindow().width(), 467);
    EXPECT_EQ(translationWindow().geometry().right(), icon().geometry().right());
    EXPECT_EQ(translationWindow().y(), waiting.y());
}

TEST_F(showTranslation, ThePopupStartsNoFurtherLeftThanTheSelection)
{
    state.selectionLeftTwips = 400 * 15;
    openWith(LongText, 700, 300);
    EXPECT_EQ(translationWindow().x(), 400);
}

TEST_F(showTranslation, NearTheRightAndBottomEdgesThePopupStaysOnTheMonitor)
{
    struct Case {
        const char* name;
        QList<QRect> monitors;
        QPoint selectionEnd;
        QRect monitor;
    };
    const Case cases[] = {
        {"bottom-right of one monitor", {}, {1000, 760}, {0, 0, 1024, 768}},
        {"last pixel column", {}, {1023, 400}, {0, 0, 1024, 768}},
        {"second, taller monitor", {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}}, {2290, 1000}, {1024, 0, 1280, 1024}},
    };
    for (const Case& c : cases) {
        desktop.fakeScreen.monitors = c.monitors;
        popup.hidePopup();
        for (const QString& text : {QString("a"), LongText}) {
            openWith(text, c.selectionEnd.x(), c.selectionEnd.y());
            const QRect placed = translationWindow().geometry();
            EXPECT_LE(placed.x() + placed.width(), c.monitor.x() + c.monitor.width()) << c.name;
            EXPECT_LE(placed.y() + placed.height(), c.monitor.y() + c.monitor.height()) << c.name;
            EXPECT_TRUE(c.monitor.contains(placed.topLeft())) << c.name;
            if (placed.y() + placed.height() == c.monitor.y() + c.monitor.height() &&
                placed.y() < c.selectionEnd.y()) {
                EXPECT_EQ(icon().y() + icon().height(), placed.y()) << c.name << ": the icon sits above";
            }
            popup.hidePopup();
        }
    }
}

TEST_F(showTranslation, BadInputKeepsThePopupOnTheMonitorAtTheRightAndBottom)
{
    struct Case {
        const char* name;
        const char* key;
        const char* value;
        QString text;
    };
    const QString word3000(3000, QChar('w'));
    const Case cases[] = {
        {"empty text", "", "", ""},
        {"one 3000-character word", "", "", word3000},
        {"right-to-left", "", "", QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D")},
        {"emoji", "", "", QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD")},
        {"FontSize 0", "FontSize", "0", LongText},
        {"FontSize 400", "FontSize", "400", LongText},
        {"FontSize abc", "FontSize", "abc", LongText},
        {"transwidth 0", "transwidth", "0", LongText},
        {"transwidth 10000", "transwidth", "10000", LongText.repeated(4)},
        {"transwidth abc", "transwidth", "abc", LongText},
        {"SmoothGlide 50", "SmoothGlide", "50", LongText},
        {"SmoothGlide -10", "SmoothGlide", "-10", LongText},
        {"Transparency 300", "Transparency", "300", LongText},
    };
    const QPoint corners[] = {{0, 0}, {1023, 0}, {0, 767}, {1023, 767}};
    for (const Case& c : cases) {
        state = shippedState();
        if (*c.key)
            state.settings.set(c.key, c.value);
        for (const QPoint corner : corners) {
            openWith(c.text, corner.x(), corner.y());
            const QRect placed = translationWindow().geometry();
            EXPECT_LE(placed.x() + placed.width(), 1024) << c.name << " at " << corner.x() << "," << corner.y();
            EXPECT_LE(placed.y() + placed.height(), 768) << c.name << " at " << corner.x() << "," << corner.y();
            EXPECT_LE(placed.width(), 1024) << c.name;
            EXPECT_LE(placed.height(), 768) << c.name;
            EXPECT_EQ(popup.shownText(), c.text) << c.name << ": nothing of the text is lost";
            popup.hidePopup();
        }
    }
}

TEST_F(showTranslation, TwoHundredThousandCharactersScrollInsideAPopupThatFits)
{
    const QString text = QString("lorem ipsum dolor sit amet ").repeated(7500).left(200000);
    openWith(text, 500, 400);
    EXPECT_LE(translationWindow().geometry().bottom(), 767);
    EXPECT_GE(translationWindow().y(), 0);
    EXPECT_EQ(popup.shownText().size(), 200000);
    EXPECT_EQ(translationWindow().textView->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

} // namespace

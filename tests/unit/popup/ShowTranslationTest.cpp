#include "PopupFixture.h"
#include "popup/BorderShape.h"
#include "popup/LinkLabel.h"

#include <QTextCursor>
#include <QTextEdit>

namespace {

using ShowTranslation = PopupFixture;

const QString LongText = QString("The quick brown fox jumps over the lazy dog. ").repeated(8);

TEST_F(ShowTranslation, OneLineTakesItsNaturalWidthAndLongerTextWrapsAtTheSetWidth)
{
    offerIcon(700, 300);
    popup.ShowTranslation("Hallo");
    const int oneLineHeight = trans().lblText->height();
    EXPECT_LT(trans().width(), 100);
    EXPECT_EQ(trans().width(), trans().lblText->width() + 12) << "twice the 6-px left margin";
    EXPECT_EQ(trans().height(), trans().lblText->height() + 16) << "twice the 8-px top margin, no footer";

    popup.ShowTranslation(LongText);
    EXPECT_EQ(trans().lblText->width(), 450 + 5);
    EXPECT_EQ(trans().width(), 450 + 5 + 12);
    EXPECT_GT(trans().lblText->height(), 2 * oneLineHeight);
    EXPECT_EQ(popup.lblTextValue(), LongText);
}

TEST_F(ShowTranslation, AWordLongerThanTheWidthMakesAWiderPopup)
{
    state.settings.set("transwidth", "60");
    popup.ShowTranslation("Donaudampfschifffahrtsgesellschaftskapitän");
    EXPECT_GT(trans().lblText->width(), 60 + 5);
}

TEST_F(ShowTranslation, TheFirst10000CharactersGetTheTextColourAndSize)
{
    popup.ShowTranslation(QString(10005, QChar('x')));
    auto formatAt = [&](int position) {
        QTextCursor cursor(trans().lblText->document());
        cursor.setPosition(position);
        return cursor.charFormat();
    };
    EXPECT_EQ(formatAt(1).foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(formatAt(1).fontPointSize(), 10);
    EXPECT_DOUBLE_EQ(formatAt(10000).fontPointSize(), 10);
    EXPECT_NE(formatAt(10002).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(trans().lblText->textCursor().hasSelection());
}

TEST_F(ShowTranslation, TheFooterRowGetsRoomOnlyBesideAWideTextWithTheServiceLink)
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
        trans().google->setCaption(c.caption);
        trans().google->setVisible(c.googleShown);
        popup.ShowTranslation(c.text);
        const double footer = c.footer ? 1.5 * trans().google->height() : 0;
        EXPECT_NEAR(trans().height(), trans().lblText->height() + footer + 16, 0.5) << c.name;
    }
}

TEST_F(ShowTranslation, TheFooterLinksLineUpRightAlignedBelowTheText)
{
    trans().google->show();
    trans().lbldir->setCaption("en-es");
    trans().lblNew->setCaption("New v2.0.0");
    trans().lblNew->show();
    popup.ShowTranslation(LongText);
    frmTrans& f = trans();
    const int row = f.lblText->y() + f.lblText->height() + f.google->height() / 2;
    EXPECT_NEAR(f.google->y(), row, 1);
    EXPECT_EQ(f.google->x(), f.lblText->x());
    EXPECT_EQ(f.lblNew->x() + f.lblNew->width(), f.width() - 10);
    EXPECT_EQ(f.lbldir->x() + f.lbldir->width(), f.lblNew->x() - 10);
    EXPECT_EQ(f.lblCopy->x() + f.lblCopy->width(), f.lbldir->x() - 10);
    for (const QWidget* label : {f.lbldir, f.lblNew, f.lblCopy})
        EXPECT_EQ(label->y(), f.google->y());
    EXPECT_EQ(f.border->geometry(), f.rect());
    EXPECT_LE(f.google->y() + f.google->height(), f.height()) << "the footer is inside the popup";
}

TEST_F(ShowTranslation, ANarrowPopupParksTheServiceAndVersionLinks)
{
    trans().google->show();
    trans().lblNew->show();
    trans().show();
    trans().resize(249, 100);
    EXPECT_EQ(trans().google->x(), 667) << "10000 twips";
    EXPECT_EQ(trans().lblNew->x(), 667);
    EXPECT_EQ(trans().lbldir->x() + trans().lbldir->width(), 249 - 10);
    trans().resize(250, 100);
    EXPECT_EQ(trans().google->x(), 6);
    EXPECT_EQ(trans().lblNew->x() + trans().lblNew->width(), 250 - 10);
}

TEST_F(ShowTranslation, AHiddenPopupStaysHiddenAtTheIcon)
{
    offerIcon(500, 300);
    trans().move(20, 280);
    popup.ShowTranslation("Hallo Welt");
    EXPECT_FALSE(trans().isVisible());
    EXPECT_EQ(trans().pos(), QPoint(icon().x(), 280));
}

TEST_F(ShowTranslation, AShownPopupGlidesToTheNewSizeWithItsRightEdgeUnderTheIcon)
{
    state.SelectionLeft = 100 * 15;
    openWith(".....", 700, 300);
    const QRect waiting = trans().geometry();
    EXPECT_EQ(waiting.right(), icon().geometry().right());

    int glideSteps = 0;
    desktop.fakeClock.onProcessEvents = [&] { ++glideSteps; };
    trans().google->show();
    popup.ShowTranslation(LongText);
    EXPECT_GT(glideSteps, 2);
    EXPECT_EQ(trans().width(), 467);
    EXPECT_EQ(trans().geometry().right(), icon().geometry().right());
    EXPECT_EQ(trans().y(), waiting.y());
}

TEST_F(ShowTranslation, ThePopupStartsNoFurtherLeftThanTheSelection)
{
    state.SelectionLeft = 400 * 15;
    openWith(LongText, 700, 300);
    EXPECT_EQ(trans().x(), 400);
}

TEST_F(ShowTranslation, NearTheRightAndBottomEdgesThePopupStaysOnTheMonitor)
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
        popup.HidePopup();
        for (const QString& text : {QString("a"), LongText}) {
            openWith(text, c.selectionEnd.x(), c.selectionEnd.y());
            const QRect placed = trans().geometry();
            EXPECT_LE(placed.x() + placed.width(), c.monitor.x() + c.monitor.width()) << c.name;
            EXPECT_LE(placed.y() + placed.height(), c.monitor.y() + c.monitor.height()) << c.name;
            EXPECT_TRUE(c.monitor.contains(placed.topLeft())) << c.name;
            if (placed.y() + placed.height() == c.monitor.y() + c.monitor.height() &&
                placed.y() < c.selectionEnd.y()) {
                EXPECT_EQ(icon().y() + icon().height(), placed.y()) << c.name << ": the icon sits above";
            }
            popup.HidePopup();
        }
    }
}

TEST_F(ShowTranslation, BadInputKeepsThePopupOnTheMonitorAtTheRightAndBottom)
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
            const QRect placed = trans().geometry();
            EXPECT_LE(placed.x() + placed.width(), 1024) << c.name << " at " << corner.x() << "," << corner.y();
            EXPECT_LE(placed.y() + placed.height(), 768) << c.name << " at " << corner.x() << "," << corner.y();
            EXPECT_LE(placed.width(), 1024) << c.name;
            EXPECT_LE(placed.height(), 768) << c.name;
            EXPECT_EQ(popup.lblTextValue(), c.text) << c.name << ": nothing of the text is lost";
            popup.HidePopup();
        }
    }
}

TEST_F(ShowTranslation, TwoHundredThousandCharactersScrollInsideAPopupThatFits)
{
    const QString text = QString("lorem ipsum dolor sit amet ").repeated(7500).left(200000);
    openWith(text, 500, 400);
    EXPECT_LE(trans().geometry().bottom(), 767);
    EXPECT_GE(trans().y(), 0);
    EXPECT_EQ(popup.lblTextValue().size(), 200000);
    EXPECT_EQ(trans().lblText->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

} // namespace

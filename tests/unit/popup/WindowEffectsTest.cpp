// Transparency, fades, the topmost band, the glide and the pictures the popup draws.
#include "PopupFixture.h"
#include "common/TextCacheKey.h"
#include "common/TraceFile.h"
#include "common/WindowEffects.h"
#include "config/ColourSwatch.h"
#include "popup/DrawnTrace.h"
#include "popup/IconPicture.h"
#include "popup/IconPictures.h"
#include "popup/ShadowPicture.h"

#include <QFile>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

namespace {

using WindowEffectsTest = PopupFixture;

TEST_F(WindowEffectsTest, TransparencyIsClampedAndFadesStepEvery30Ms)
{
    QWidget window;
    for (const auto& [level, applied] : {std::pair{20, 20}, {0, 0}, {300, 255}, {-40, 0}}) {
        popup.effects().setTransparency(&window, level);
        EXPECT_EQ(WindowEffects::transparencyLevel(&window), applied) << level;
        EXPECT_NEAR(window.windowOpacity(), (255 - applied) / 255.0, 1.0 / 255) << level;
    }
    state.osVersion = 499;
    QWidget opaque;
    popup.effects().setTransparency(&opaque, 100);
    EXPECT_DOUBLE_EQ(opaque.windowOpacity(), 1.0) << "no layered windows, no transparency";
    state.osVersion = 600;

    const std::tuple<int, int, int, std::vector<int>> fades[] = {{255, 0, 2, {128, 0}}, {10, 50, 0, {}}};
    for (const auto& [from, to, steps, levels] : fades) {
        std::vector<int> seen;
        desktop.fakeClock.sleptMs = 0;
        desktop.fakeClock.onProcessEvents = [&] { seen.push_back(WindowEffects::transparencyLevel(&window)); };
        popup.effects().fade(&window, from, to, steps);
        EXPECT_EQ(seen, levels) << from << "->" << to;
        EXPECT_EQ(desktop.fakeClock.sleptMs, 30 * int(levels.size()));
    }
    auto* doomed = new QWidget;
    int steps = 0;
    desktop.fakeClock.onProcessEvents = [&] {
        if (++steps == 2)
            delete doomed;
    };
    popup.effects().fade(doomed, 0, 255, 4);
    EXPECT_EQ(steps, 4) << "a window deleted midway ends no fade early";
}

TEST_F(WindowEffectsTest, TopmostMovesUnlessACoordinateIsZeroAndShowsWithoutActivating)
{
    const std::tuple<int, int, bool, QPoint> cases[] = {
        {0, 0, true, {100, 200}}, {300, 0, true, {300, 200}}, {0, 50, false, {100, 50}}};
    for (const auto& [x, y, show, expected] : cases) {
        QWidget window;
        window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        window.setGeometry(100, 200, 40, 30);
        popup.effects().setTopmost(&window, true, show, x, y);
        EXPECT_EQ(window.pos(), expected);
        EXPECT_EQ(window.size(), QSize(40, 30));
        EXPECT_EQ(window.isVisible(), show);
        EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(window.testAttribute(Qt::WA_ShowWithoutActivating), show);
    }
    QWidget window;
    window.setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    window.show();
    popup.effects().setTopmost(&window, false, false, 0, 0);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible()) << "leaving the band keeps a shown window shown";
}

class GlideTest : public PopupFixture {
protected:
    std::vector<QRect> steps;
    bool glidingSeen = false;

    void glide(QRect start, int W, int H, int L)
    {
        window().setGeometry(start);
        window().show();
        desktop.fakeClock.onProcessEvents = [&] {
            steps.push_back(window().geometry());
            glidingSeen = glidingSeen || state.gliding;
        };
        popup.glide().glide(&window(), W, H, L);
        desktop.fakeClock.onProcessEvents = nullptr;
    }
};

TEST_F(GlideTest, GrowsTheWidthAndMovesTheLeftEdgeThenTheHeightAndEndsWithTheShadow)
{
    // SmoothGlide 10: speed 2. From 16 x 30 px at x 500 to 200 x 100 px at x 400.
    glide(QRect(500, 300, 16, 30), 3000, 1500, 6000);
    ASSERT_EQ(steps.size(), 15u);
    std::vector<int> widths, lefts, heights;
    for (size_t i = 0; i < 8; ++i) {
        widths.push_back(steps[i].width());
        lefts.push_back(steps[i].x());
    }
    for (size_t i = 8; i < 15; ++i)
        heights.push_back(steps[i].height());
    EXPECT_EQ(widths, (std::vector<int>{108, 154, 177, 188, 194, 197, 198, 199}));
    EXPECT_EQ(lefts, (std::vector<int>{450, 425, 412, 406, 403, 402, 401, 400}));
    EXPECT_EQ(heights, (std::vector<int>{65, 82, 91, 96, 98, 99, 100}));
    EXPECT_EQ(steps[8].width(), 200) << "the width is complete before the height starts";
    EXPECT_EQ(window().geometry(), QRect(400, 300, 200, 100));
    EXPECT_EQ(desktop.fakeClock.sleptMs, 15 * 30);
    EXPECT_TRUE(glidingSeen);
    EXPECT_FALSE(state.gliding);
    EXPECT_TRUE(popup.shadow().isVisible());
    EXPECT_EQ(popup.shadow().geometry(), QRect(400, 300, 205, 105));

    // Shrinking, or SmoothGlide 0, sets the size at once; only a jump moves the left
    // edge rightwards.
    for (const auto& [smooth, left] : {std::pair{"10", 100}, {"0", 300}, {"abc", 300}}) {
        steps.clear();
        state.settings.set("SmoothGlide", smooth);
        glide(QRect(100, 100, 300, 200), 100 * 15, 50 * 15, 300 * 15);
        EXPECT_TRUE(steps.empty()) << smooth;
        EXPECT_EQ(window().geometry(), QRect(left, 100, 100, 50)) << smooth;
    }
    steps.clear();
    state.settings.set("SmoothGlide", "10");
    glide(QRect(100, 100, 200, 30), 200 * 15, 60 * 15, 0);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front().topLeft(), QPoint(100, 100)) << "an equal width skips the width phase";
    steps.clear();
    glide(QRect(900, 100, 16, 30), 600 * 15, 700 * 15, 300 * 15);
    const size_t atSpeed2 = steps.size();
    steps.clear();
    state.settings.set("SmoothGlide", "50");
    glide(QRect(900, 100, 16, 30), 600 * 15, 700 * 15, 300 * 15);
    EXPECT_EQ(window().geometry(), QRect(300, 100, 600, 700));
    EXPECT_GT(steps.size(), 2 * atSpeed2) << "the smoothest glide takes more steps";
}

TEST_F(GlideTest, ANewerGlideOvertakesAndTheShadowAppearsOnlyWhereItCanBeSeen)
{
    window().setGeometry(500, 100, 16, 30);
    window().show();
    int calls = 0;
    desktop.fakeClock.onProcessEvents = [&] {
        if (++calls == 1)
            popup.glide().glide(&window(), 100 * 15, 40 * 15, 450 * 15);
    };
    popup.glide().glide(&window(), 300 * 15, 200 * 15, 200 * 15);
    EXPECT_EQ(popup.glide().glideCounter(), 2);
    EXPECT_FALSE(state.gliding);
    EXPECT_LT(window().width(), 300) << "the older glide stopped short";
    EXPECT_EQ(window().height(), 40);
    EXPECT_EQ(popup.shadow().size(), QSize(305, 205)) << "its shadow step still ran, last";

    const char* const cases[] = {"shadow off", "no compositor", "popup hidden while gliding"};
    for (int i = 0; i < 3; ++i) {
        popup.shadow().show();
        state.settings.set("Shadow", i == 0 ? "0" : "1");
        desktop.fakeScreen.compositing = i != 1;
        window().setGeometry(200, 150, 16, 30);
        window().show();
        desktop.fakeClock.onProcessEvents = [&] {
            if (i == 2)
                window().hide();
        };
        popup.glide().glide(&window(), 300 * 15, 100 * 15, 200 * 15);
        EXPECT_FALSE(popup.shadow().isVisible()) << cases[i];
        EXPECT_EQ(window().size(), QSize(300, 100)) << cases[i] << ": the glide still completes";
    }
}

TEST(ShadowPicture, FadesAlongTheRightAndBottomAndAtThreeCorners)
{
    const int w = 305, h = 105, s = 5;
    const QImage picture = shadowPicture(w, h, s);
    ASSERT_EQ(picture.size(), QSize(w, h));
    const std::tuple<const char*, int, int, int, int> probes[] = {
        {"under the popup", 150, 50, 0, 0},           {"top-left corner", 2, 2, 0, 0},
        {"right band, inner", w - s, 50, 54, 60},     {"right band, outer", w - 1, 50, 4, 9},
        {"bottom band, inner", 150, h - s, 54, 60},   {"bottom-right, outer", w - 1, h - 1, 0, 0},
        {"bottom-right, inner", w - s, h - s, 50, 58}, {"top-right, inner", w - s, s - 1, 50, 58},
        {"bottom-left, at the left", 0, h - s, 1, 20}};
    for (const auto& [where, x, y, low, high] : probes) {
        EXPECT_GE(qAlpha(picture.pixel(x, y)), low) << where;
        EXPECT_LE(qAlpha(picture.pixel(x, y)), high) << where;
        EXPECT_EQ(qRed(picture.pixel(x, y)), 0) << where;
    }
    for (int x = w - s; x < w - 1; ++x)
        EXPECT_GT(qAlpha(picture.pixel(x, 50)), qAlpha(picture.pixel(x + 1, 50)));
    EXPECT_TRUE(shadowPicture(0, 50, 5).isNull());
    EXPECT_TRUE(shadowPicture(50, -3, 5).isNull());

    ShadowWindow shadow;
    ASSERT_TRUE(drawShadow(shadow, 105, 45, 5));
    EXPECT_EQ(shadow.size(), QSize(105, 45));
    EXPECT_FALSE(shadow.isVisible()) << "drawing neither moves nor shows";
    EXPECT_FALSE(drawShadow(shadow, 0, 45, 5));
    EXPECT_EQ(shadow.picture().size(), QSize(105, 45)) << "a failed drawing keeps the old picture";
}

TEST(IconPictures, WhiteMarksCentredOnClearPixelsAtEveryScale)
{
    for (const auto& [draw, marked] : {std::pair{&drawLetterG, QSize(8, 10)}, {&drawCross, QSize(6, 5)}})
        for (const int scale : {1, 2}) {
            const QImage image = draw(scale).toImage().convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(image.size(), QSize(16, 16) * scale);
            QRect bounds;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) != 0) {
                        EXPECT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << "crisp, no blended edges";
                        bounds |= QRect(x, y, 1, 1);
                    }
            EXPECT_EQ(bounds.size(), marked * scale);
            const QPoint centre = bounds.center() + QPoint(1, 1);
            EXPECT_NEAR(centre.x(), 8 * scale, scale);
            EXPECT_NEAR(centre.y(), 8 * scale, scale);
        }
}

TEST(ClickableLabels, OnlyAFullLeftClickInsideCountsAndThePictureReportsPresses)
{
    const auto send = [](QWidget& widget, QEvent::Type type, Qt::MouseButton button, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    };
    const std::tuple<const char*, bool, Qt::MouseButton, QPoint, bool> gestures[] = {
        {"press and release inside", true, Qt::LeftButton, {3, 3}, true},
        {"release without a press", false, Qt::LeftButton, {3, 3}, false},
        {"release outside", true, Qt::LeftButton, {500, 3}, false},
        {"right button", true, Qt::RightButton, {3, 3}, false}};
    for (const auto& [name, press, button, releaseAt, isClick] : gestures) {
        ColourSwatch swatch;
        swatch.resize(40, 20);
        QSignalSpy clicks(&swatch, &ClickableLabel::clicked);
        if (press)
            send(swatch, QEvent::MouseButtonPress, button, {3, 3});
        send(swatch, QEvent::MouseButtonRelease, button, releaseAt);
        send(swatch, QEvent::MouseButtonRelease, button, {3, 3});
        EXPECT_EQ(clicks.count(), isClick ? 1 : 0) << name;
    }
    IconPicture picture(nullptr);
    QSignalSpy downs(&picture, &IconPicture::mouseDown);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton})
        send(picture, QEvent::MouseButtonPress, button, {2, 2});
    ASSERT_EQ(downs.count(), 3);
    EXPECT_EQ(downs[1][0].toInt(), 2);
    EXPECT_EQ(downs[2][0].toInt(), 4);
    LinkLabel link(nullptr, "<b>a</b>", "tip");
    EXPECT_EQ(link.textFormat(), Qt::PlainText);
    EXPECT_EQ(link.size(), link.sizeHint()) << "sized to its caption";
}

TEST(DrawnTrace, TracesEachFirstPaintOfTheRequestsTranslation)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("trace.txt");
    qputenv(TraceFile::Variable, QFile::encodeName(path));
    std::unique_ptr<TraceFile> trace = TraceFile::fromEnvironment();
    qunsetenv(TraceFile::Variable);
    ASSERT_NE(trace, nullptr);
    EXPECT_EQ(TraceFile::fromEnvironment(), nullptr) << "unset, nothing is traced";

    AppState state;
    QTextEdit text;
    new DrawnTrace(state, text, *trace);
    state.lastRequestText = "The house";
    state.translationCache.insert(textCacheKey("The house"), "La casa");
    text.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&text));
    const auto show = [&](const QString& shown) {
        text.setPlainText(shown);
        text.viewport()->repaint();
        QCoreApplication::processEvents();
    };
    for (const char* shown : {".....", "La", "La casa", "La casa", ".....", "La casa"})
        show(shown);
    text.viewport()->repaint();
    QCoreApplication::processEvents();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join(" | ").toStdString();
    EXPECT_TRUE(lines[0].endsWith(" translation-drawn 7"));
    EXPECT_GT(lines[0].section(' ', 0, 0).toLongLong(), 0);
    EXPECT_LE(lines[1].section(' ', 0, 0).toLongLong(), lines[2].section(' ', 0, 0).toLongLong());
}

} // namespace

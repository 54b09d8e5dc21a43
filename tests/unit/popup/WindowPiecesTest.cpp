// The window effects the popup and the dialogs share, and the icon's clickable pictures.
// The fades are measured on the popup and the icon, which fade out.
#include "FakeDesktop.h"
#include "common/WindowEffects.h"
#include "popup/IconPicture.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(WindowEffects, TransparencyIsClampedAndTopmostNeverActivates)
{
    FakeDesktop desktop;
    QWidget window;
    for (const auto& [level, applied] : {std::pair{20, 20}, {300, 255}, {-40, 0}}) {
        effects::setTransparency(&window, level);
        EXPECT_EQ(effects::transparencyLevel(&window), applied) << level;
        EXPECT_NEAR(window.windowOpacity(), (255 - applied) / 255.0, 1.0 / 255) << level;
    }

    for (const auto& [x, y, show, expected] : {std::tuple{0, 0, true, QPoint(100, 200)},
                                               {300, 0, true, QPoint(300, 200)}, {0, 50, false, QPoint(100, 50)}}) {
        QWidget placed;
        placed.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        placed.setGeometry(100, 200, 40, 30);
        effects::setTopmost(&placed, true, show, x, y);
        EXPECT_EQ(placed.geometry(), QRect(expected, QSize(40, 30))) << "a 0 coordinate is kept";
        EXPECT_EQ(placed.isVisible(), show);
        EXPECT_TRUE(placed.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(placed.testAttribute(Qt::WA_ShowWithoutActivating), show);
    }
    window.setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    window.show();
    effects::setTopmost(&window, false, false, 0, 0);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible()) << "leaving the band keeps a shown window shown";
}

TEST(ClickableLabels, OnlyAFullLeftClickInsideCountsAndEveryPressIsReported)
{
    IconPicture picture(nullptr);
    picture.resize(16, 16);
    QSignalSpy clicks(&picture, &ClickableLabel::clicked);
    QSignalSpy downs(&picture, &IconPicture::mouseDown);
    QTest::mouseRelease(&picture, Qt::LeftButton); // no press before it
    QTest::mousePress(&picture, Qt::LeftButton);
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(500, 3)); // released outside
    QTest::mouseClick(&picture, Qt::RightButton);
    QTest::mouseClick(&picture, Qt::MiddleButton);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(&picture, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    QList<Qt::MouseButton> reported;
    for (const QList<QVariant>& down : downs)
        reported.append(down.at(0).value<Qt::MouseButton>());
    EXPECT_EQ(reported, (QList<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}));
}

} // namespace

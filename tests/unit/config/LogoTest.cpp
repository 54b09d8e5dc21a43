// The program's mark: the scalable form the icon theme gets looks like the painted one
// at every size, and the three tray pictures tell their states apart.
#include "config/Logo.h"
#include "config/LogoSvg.h"
#include "core/TrayPictures.h"

#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

TEST(Logo, TheScalableMarkLooksLikeThePaintedOneAndNeedsNoFont)
{
    const QByteArray svg = logoSvg();
    EXPECT_FALSE(svg.contains("<text")) << "the letter is an outline";
    const QImage painted = logoPixmap(64).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage rendered(painted.size(), painted.format());
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    QSvgRenderer(svg).render(&painter);
    painter.end();
    // The white letter on the blue square differs clearly in lightness wherever they disagree.
    int differing = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QColor p = painted.pixelColor(x, y), q = rendered.pixelColor(x, y);
            differing += std::abs(p.lightness() - q.lightness()) > 60 || std::abs(p.alpha() - q.alpha()) > 60;
        }
    EXPECT_LT(differing, 64 * 64 / 50);
}

TEST(TrayPictures, BlueWhenOnGreyWhenOffAndAMarkWhileNotConnected)
{
    const auto colourAt = [](TrayPicture picture, QPoint at) {
        return trayPictureIcon(picture).pixmap(16, 16).toImage().pixelColor(at);
    };
    EXPECT_EQ(colourAt(TrayPicture::Enabled, {2, 6}), QColor(31, 111, 209));
    EXPECT_EQ(colourAt(TrayPicture::Disabled, {2, 6}), QColor(128, 128, 128));
    EXPECT_EQ(colourAt(TrayPicture::NotConnected, {12, 11}), QColor(200, 40, 40)) << "the red mark";
    EXPECT_EQ(trayPictureIcon(TrayPicture::Enabled).availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
}

} // namespace

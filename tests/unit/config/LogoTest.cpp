// The program's mark: the scalable form the icon theme gets looks like the painted one
// at every size, and the three tray pictures tell their states apart.
#include "config/Logo.h"
#include "config/LogoSvg.h"
#include "core/TrayPictures.h"

#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

// side x side pixels painted by draw on a transparent square.
template <typename Draw>
QImage pictureOf(int side, Draw draw)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// Share of pixels whose colour or coverage differs clearly.
double differingShare(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            differing += std::abs(p.red() - q.red()) > 60 || std::abs(p.green() - q.green()) > 60 ||
                         std::abs(p.blue() - q.blue()) > 60 || std::abs(p.alpha() - q.alpha()) > 60;
        }
    return double(differing) / (a.width() * a.height());
}

TEST(Logo, TheScalableMarkLooksLikeThePaintedOneAndNeedsNoFont)
{
    const QByteArray svg = logoSvg();
    ASSERT_TRUE(QSvgRenderer(svg).isValid());
    EXPECT_FALSE(svg.contains("<text")) << "the letter is an outline";
    QByteArray withoutLetter = svg;
    withoutLetter.replace("fill=\"#ffffff\"", "fill=\"none\"");
    for (const int side : {32, 128}) {
        const QImage painted = pictureOf(side, [&](QPainter& p) { paintLogo(p, QRectF(0, 0, side, side)); });
        const auto rendered = [&](const QByteArray& document) {
            return pictureOf(side, [&](QPainter& p) { QSvgRenderer(document).render(&p); });
        };
        EXPECT_LT(differingShare(painted, rendered(svg)), 0.02) << side;
        EXPECT_GT(differingShare(painted, rendered(withoutLetter)), 0.05) << side << ": the measure sees the letter";
        EXPECT_EQ(logoPixmap(side).toImage().convertToFormat(painted.format()), painted);
    }
}

TEST(TrayPictures, BlueWhenOnGreyWhenOffAndAMarkWhileNotConnected)
{
    const auto colourAt = [](TrayPicture picture, QPoint at) {
        return trayPictureIcon(picture).pixmap(16, 16).toImage().pixelColor(at);
    };
    EXPECT_EQ(colourAt(TrayPicture::Enabled, {2, 6}), QColor(31, 111, 209));
    EXPECT_EQ(colourAt(TrayPicture::Disabled, {2, 6}), QColor(128, 128, 128));
    EXPECT_EQ(colourAt(TrayPicture::NotConnected, {2, 6}), QColor(Qt::white));
    EXPECT_EQ(colourAt(TrayPicture::NotConnected, {12, 11}), QColor(200, 40, 40));
    EXPECT_EQ(colourAt(TrayPicture::Enabled, {4, 4}), QColor(Qt::white)) << "the lines of text";
    EXPECT_EQ(trayPictureIcon(TrayPicture::Enabled).availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
}

} // namespace

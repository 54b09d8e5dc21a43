#include "config/Logo.h"
#include "config/LogoSvg.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

QImage blank(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage painted(int side)
{
    QImage image = blank(side);
    QPainter painter(&image);
    paintLogo(painter, QRectF(0, 0, side, side));
    return image;
}

QImage rendered(const QByteArray& svg, int side)
{
    QImage image = blank(side);
    QSvgRenderer renderer(svg);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Share of pixels whose colour or coverage differs clearly.
double differingShare(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) > 60 || std::abs(p.green() - q.green()) > 60 ||
                std::abs(p.blue() - q.blue()) > 60 || std::abs(p.alpha() - q.alpha()) > 60)
                ++differing;
        }
    return double(differing) / (a.width() * a.height());
}

TEST(LogoSvg, IsAValidDocumentThatLooksLikeThePaintedMarkAtEverySize)
{
    const QByteArray svg = logoSvg();
    ASSERT_TRUE(QSvgRenderer(svg).isValid());
    // The letter is an outline: the icon must not depend on the viewer's fonts.
    EXPECT_FALSE(svg.contains("<text"));
    for (const int side : {32, 128, 256})
        EXPECT_LT(differingShare(painted(side), rendered(svg, side)), 0.02) << side;
}

TEST(LogoSvg, ComparisonSeesAMissingLetter)
{
    // Guards the measure above: the mark without its letter must count as different.
    QByteArray withoutLetter = logoSvg();
    withoutLetter.replace("fill=\"#ffffff\"", "fill=\"none\"");
    EXPECT_GT(differingShare(painted(128), rendered(withoutLetter, 128)), 0.05);
}

} // namespace

#include "popup/IconPictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Marks {
    QRect box;
    bool onlyWhiteOrClear = true;
};

Marks marksOf(const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    Marks marks;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            marks.box |= QRect(x, y, 1, 1);
            if (pixel != qRgba(255, 255, 255, 255))
                marks.onlyWhiteOrClear = false;
        }
    return marks;
}

TEST(IconPictures, WhiteMarksCentredOnClearPixelsAtEveryScale)
{
    struct Case {
        const char* name;
        QPixmap (*draw)(int);
        QSize markSize;
    };
    for (const Case c : {Case{"G", drawLetterG, {8, 10}}, {"cross", drawCross, {6, 5}}})
        for (int scale : {1, 2, 3}) {
            const QPixmap picture = c.draw(scale);
            EXPECT_EQ(picture.size(), QSize(16, 16) * scale) << c.name;
            EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(16, 16)) << c.name;
            const Marks marks = marksOf(picture);
            EXPECT_TRUE(marks.onlyWhiteOrClear) << c.name << " x" << scale << ": crisp, no blended edge pixels";
            EXPECT_EQ(marks.box.size(), c.markSize * scale) << c.name << " x" << scale;
            const QPoint centre = marks.box.center() + QPoint(1, 1);
            EXPECT_NEAR(centre.x(), 8 * scale, scale) << c.name;
            EXPECT_NEAR(centre.y(), 8 * scale, scale) << c.name;
        }
}

} // namespace

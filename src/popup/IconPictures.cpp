#include "popup/IconPictures.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace {

constexpr int PictureSize = 16;

const std::initializer_list<const char*> LetterG = {
    "..#####.",
    ".##...##",
    "##......",
    "##......",
    "##..####",
    "##....##",
    "##....##",
    "##....##",
    ".##...##",
    "..####.#",
};

const std::initializer_list<const char*> Cross = {
    "##..##",
    ".####.",
    "..##..",
    ".####.",
    "##..##",
};

QPixmap drawPattern(const std::initializer_list<const char*>& rows, int scale)
{
    scale = std::max(scale, 1);
    QPixmap picture(PictureSize * scale, PictureSize * scale);
    picture.fill(Qt::transparent);
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(std::strlen(*rows.begin()));
    const int left = (PictureSize - width) / 2;
    const int top = (PictureSize - height) / 2;
    QPainter painter(&picture);
    int y = top;
    for (const char* row : rows) {
        for (int x = 0; row[x] != '\0'; ++x)
            if (row[x] == '#')
                painter.fillRect((left + x) * scale, y * scale, scale, scale, Qt::white);
        ++y;
    }
    painter.end();
    picture.setDevicePixelRatio(scale);
    return picture;
}

} // namespace

QPixmap drawLetterG(int scale)
{
    return drawPattern(LetterG, scale);
}

QPixmap drawCross(int scale)
{
    return drawPattern(Cross, scale);
}

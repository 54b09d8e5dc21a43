#include "popup/ShadowPicture.h"

#include "popup/ShadowWindow.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

const QColor Dark(0, 0, 0, ShadowAlpha);
const QColor Clear(0, 0, 0, 0);

// A quarter disc: the fade of the circle inscribed in `ellipse`, painted in `square`.
void paintCorner(QPainter& painter, const QRectF& ellipse, const QRectF& square)
{
    QRadialGradient fade(ellipse.center(), ellipse.width() / 2);
    fade.setColorAt(0, Dark);
    fade.setColorAt(1, Clear);
    painter.fillRect(square, fade);
}

void paintEdge(QPainter& painter, QPointF from, QPointF to, const QRectF& area)
{
    if (area.width() <= 0 || area.height() <= 0)
        return;
    QLinearGradient fade(from, to);
    fade.setSpread(QGradient::ReflectSpread);
    fade.setColorAt(0, Dark);
    fade.setColorAt(1, Clear);
    painter.fillRect(area, fade);
}

} // namespace

QImage shadowPicture(int w, int h, int s)
{
    if (w <= 0 || h <= 0 || s <= 0)
        return {};
    QImage picture(w, h, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return {};
    picture.fill(Qt::transparent);

    QPainter painter(&picture);
    const double d = 2.0 * s;
    paintCorner(painter, QRectF(w - d, h - d, d, d), QRectF(w - s, h - s, s, s)); // bottom right
    paintCorner(painter, QRectF(w - d, 0, d, d), QRectF(w - s, 0, s, s));         // top right
    paintCorner(painter, QRectF(0, h - d, d, d), QRectF(0, h - s, s, s));         // bottom left
    paintEdge(painter, QPointF(w - s, s), QPointF(w, s), QRectF(w - s, s, s, h - d)); // right
    paintEdge(painter, QPointF(s, h - s), QPointF(s, h), QRectF(s, h - s, w - d, s)); // bottom
    return picture;
}

bool drawShadow(ShadowWindow& form, int w, int h, int s)
{
    const QImage picture = shadowPicture(w, h, s);
    if (picture.isNull())
        return false;
    form.resize(w, h);
    form.setPicture(picture);
    return true;
}

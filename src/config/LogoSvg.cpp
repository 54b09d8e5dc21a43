#include "config/LogoSvg.h"

#include "config/Logo.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QString>

namespace {

constexpr qreal Side = 256;

QString number(qreal value)
{
    return QString::number(value, 'f', 2);
}

QString point(qreal x, qreal y)
{
    return number(x) + " " + number(y);
}

// SVG path data of a painter path: moves, lines and cubic curves.
QString pathData(const QPainterPath& path)
{
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            data += (data.isEmpty() ? "M" : "Z M") + point(e.x, e.y);
        } else if (e.isLineTo()) {
            data += " L" + point(e.x, e.y);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += " C" + point(e.x, e.y) + " " + point(c2.x, c2.y) + " " + point(end.x, end.y);
            i += 2;
        }
    }
    return data.isEmpty() ? data : data + "Z";
}

// The letter placed as paintLogo's centred text places it.
QPainterPath letterOutline()
{
    const QFont font = logoLetterFont(Side);
    const QFontMetricsF metrics(font);
    const QString letter = logoLetter();
    const qreal x = (Side - metrics.horizontalAdvance(letter)) / 2;
    const qreal baseline = (Side - metrics.height()) / 2 + metrics.ascent();
    QPainterPath outline;
    outline.addText(QPointF(x, baseline), font, letter);
    return outline;
}

} // namespace

QByteArray logoSvg()
{
    const QString radius = number(Side * LogoCornerRatio);
    const QString svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"fill\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"" + LogoTopBlue.name() + "\"/>\n"
        "      <stop offset=\"1\" stop-color=\"" + LogoBottomBlue.name() + "\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n"
        "  <rect width=\"256\" height=\"256\" rx=\"" + radius + "\" ry=\"" + radius + "\" fill=\"url(#fill)\"/>\n"
        "  <path fill=\"#ffffff\" fill-rule=\"evenodd\" d=\"" + pathData(letterOutline()) + "\"/>\n"
        "</svg>\n";
    return svg.toUtf8();
}

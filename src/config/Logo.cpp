#include "config/Logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor TopBlue(0x3D, 0x85, 0xF0);
const QColor BottomBlue(0x1E, 0x5B, 0xC6);
} // namespace

void paintLogo(QPainter& painter, const QRectF& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const qreal side = std::min(area.width(), area.height());
    const QRectF square(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    QPainterPath outline;
    outline.addRoundedRect(square, side * 0.22, side * 0.22);
    QLinearGradient fill(square.topLeft(), square.bottomLeft());
    fill.setColorAt(0, TopBlue);
    fill.setColorAt(1, BottomBlue);
    painter.fillPath(outline, fill);

    QFont letter(QStringLiteral("DejaVu Sans"));
    letter.setBold(true);
    letter.setPixelSize(std::max(1, qRound(side * 0.72)));
    painter.setFont(letter);
    painter.setPen(Qt::white);
    painter.drawText(square, Qt::AlignCenter, QStringLiteral("G"));
    painter.restore();
}

QPixmap logoPixmap(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintLogo(painter, QRectF(0, 0, side, side));
    return pixmap;
}

#include "config/Logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QString logoLetter()
{
    return QStringLiteral("G");
}

QFont logoLetterFont(double side)
{
    QFont letter(QStringLiteral("DejaVu Sans"));
    letter.setBold(true);
    letter.setPixelSize(std::max(1, qRound(side * 0.72)));
    return letter;
}

void paintLogo(QPainter& painter, const QRectF& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const qreal side = std::min(area.width(), area.height());
    const QRectF square(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    QPainterPath outline;
    outline.addRoundedRect(square, side * LogoCornerRatio, side * LogoCornerRatio);
    QLinearGradient fill(square.topLeft(), square.bottomLeft());
    fill.setColorAt(0, LogoTopBlue);
    fill.setColorAt(1, LogoBottomBlue);
    painter.fillPath(outline, fill);

    painter.setFont(logoLetterFont(side));
    painter.setPen(Qt::white);
    painter.drawText(square, Qt::AlignCenter, logoLetter());
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

#include "core/TrayPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A speech bubble with two lines of text, drawn on a 16-unit grid scaled to size.
QPixmap drawPicture(TrayPicture picture, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);

    const QColor blue(31, 111, 209);
    const QColor grey(128, 128, 128);
    const QColor ink = picture == TrayPicture::NotConnected ? grey : Qt::white;
    const QColor fill = picture == TrayPicture::Enabled ? blue : picture == TrayPicture::Disabled ? grey : Qt::white;

    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(0.5, 0.5, 15, 11), 3, 3);
    QPainterPath tail;
    tail.moveTo(3.5, 11);
    tail.lineTo(3.5, 15.5);
    tail.lineTo(8, 11);
    tail.closeSubpath();
    bubble = bubble.united(tail);

    painter.setPen(QPen(picture == TrayPicture::Enabled ? blue.darker(130) : grey.darker(130), 1));
    painter.setBrush(fill);
    painter.drawPath(bubble);

    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawRect(QRectF(3, 3, 10, 2));
    painter.drawRect(QRectF(3, 7, 7, 2));

    if (picture == TrayPicture::NotConnected) {
        // A red mark: the service is not there yet.
        painter.setBrush(QColor(200, 40, 40));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawEllipse(QRectF(9.5, 8.5, 6, 6));
    }
    return pixmap;
}

} // namespace

QIcon trayPictureIcon(TrayPicture picture)
{
    QIcon icon;
    icon.addPixmap(drawPicture(picture, 16));
    icon.addPixmap(drawPicture(picture, 32));
    return icon;
}

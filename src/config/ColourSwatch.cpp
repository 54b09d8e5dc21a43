#include "config/ColourSwatch.h"

#include <QMouseEvent>
#include <QPainter>

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setFixedSize(17, 17);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(Colour colour)
{
    colour_ = colour & 0xFFFFFFu;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), toQColor(colour_));
    }
    QFrame::paintEvent(event);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

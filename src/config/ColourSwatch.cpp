#include "config/ColourSwatch.h"

#include <QPainter>

ColourSwatch::ColourSwatch(QWidget* parent) : ClickableLabel(parent)
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
    QLabel::paintEvent(event); // the frame (a swatch has no text)
}

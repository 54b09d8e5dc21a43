#include "popup/BorderShape.h"

#include <QPainter>

BorderShape::BorderShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void BorderShape::setBorderColor(const QColor& colour)
{
    colour_ = colour;
    update();
}

void BorderShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(colour_, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

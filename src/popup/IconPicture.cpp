#include "popup/IconPicture.h"

#include <QMouseEvent>

IconPicture::IconPicture(QWidget* parent) : ClickableLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void IconPicture::mousePressEvent(QMouseEvent* event)
{
    ClickableLabel::mousePressEvent(event);
    emit mouseDown(event->button());
}

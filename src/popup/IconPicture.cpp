#include "popup/IconPicture.h"

#include <QMouseEvent>

namespace {
int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}
} // namespace

IconPicture::IconPicture(QWidget* parent) : ClickableLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void IconPicture::mousePressEvent(QMouseEvent* event)
{
    ClickableLabel::mousePressEvent(event);
    if (const int code = buttonCode(event->button()))
        emit mouseDown(code);
}

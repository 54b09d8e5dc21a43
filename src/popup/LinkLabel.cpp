#include "popup/LinkLabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget* parent, const QString& caption, const QString& toolTip) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setToolTip(toolTip);
    setCaption(caption);
}

void LinkLabel::setCaption(const QString& caption)
{
    setText(caption);
    adjustSize();
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

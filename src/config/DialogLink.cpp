#include "config/DialogLink.h"

#include <QMouseEvent>

DialogLink::DialogLink(const QString& text, const QColor& colour, QWidget* parent) : QLabel(text, parent)
{
    // Plain text: captions with "<" or quotes show as they are.
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

void DialogLink::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

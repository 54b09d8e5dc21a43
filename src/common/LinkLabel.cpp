#include "common/LinkLabel.h"

LinkLabel::LinkLabel(QWidget* parent, const QString& caption, const QString& toolTip) : ClickableLabel(parent)
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

void LinkLabel::setColour(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
}

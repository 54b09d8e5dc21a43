#include "popup/MeasuringLabel.h"

#include <cmath>

MeasuringLabel::MeasuringLabel()
{
    document_.setDocumentMargin(0);
    document_.setUndoRedoEnabled(false);
    layOut();
}

void MeasuringLabel::setFont(const QFont& font)
{
    document_.setDefaultFont(font);
}

void MeasuringLabel::setWordWrap(bool on)
{
    wordWrap_ = on;
    layOut();
}

void MeasuringLabel::setBreakWords(bool on)
{
    breakWords_ = on;
    layOut();
}

QTextOption::WrapMode MeasuringLabel::wrapMode() const
{
    return breakWords_ ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::WordWrap;
}

void MeasuringLabel::setWidthPx(int width)
{
    widthPx_ = std::max(width, 0);
    layOut();
}

void MeasuringLabel::setCaption(const QString& caption)
{
    document_.setPlainText(caption);
}

void MeasuringLabel::layOut()
{
    QTextOption option = document_.defaultTextOption();
    option.setWrapMode(wordWrap_ ? wrapMode() : QTextOption::NoWrap);
    document_.setDefaultTextOption(option);
    document_.setTextWidth(wordWrap_ ? widthPx_ : -1);
}

int MeasuringLabel::widthPx() const
{
    if (wordWrap_)
        return widthPx_;
    return static_cast<int>(std::ceil(document_.idealWidth()));
}

int MeasuringLabel::heightPx() const
{
    return static_cast<int>(std::ceil(document_.size().height()));
}

bool MeasuringLabel::overflows() const
{
    return wordWrap_ && document_.idealWidth() > widthPx_ + 0.5;
}

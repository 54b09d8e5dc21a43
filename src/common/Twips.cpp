#include "common/Twips.h"

#include "common/AppState.h"
#include "common/NumberText.h"

#include <QWidget>
#include <algorithm>

namespace {
// Before the first apply the twips are not known yet; one twip per pixel keeps the
// arithmetic defined.
int positive(int perPx)
{
    return std::max(perPx, 1);
}
} // namespace

Twips::Twips(const AppState& state) : perPxX_(positive(state.twipsPerPixelX)), perPxY_(positive(state.twipsPerPixelY)) {}

int Twips::toPxX(double twips) const
{
    return static_cast<int>(numbertext::roundHalfEven(twips / perPxX_));
}

int Twips::toPxY(double twips) const
{
    return static_cast<int>(numbertext::roundHalfEven(twips / perPxY_));
}

QRect Twips::fromPx(const QRect& px) const
{
    return {px.x() * perPxX_, px.y() * perPxY_, px.width() * perPxX_, px.height() * perPxY_};
}

int Twips::left(const QWidget& widget) const
{
    return widget.x() * perPxX_;
}

int Twips::top(const QWidget& widget) const
{
    return widget.y() * perPxY_;
}

int Twips::width(const QWidget& widget) const
{
    return widget.width() * perPxX_;
}

int Twips::height(const QWidget& widget) const
{
    return widget.height() * perPxY_;
}

void Twips::setLeft(QWidget& widget, double twips) const
{
    widget.move(toPxX(twips), widget.y());
}

void Twips::setTop(QWidget& widget, double twips) const
{
    widget.move(widget.x(), toPxY(twips));
}

void Twips::setWidth(QWidget& widget, double twips) const
{
    widget.resize(std::max(toPxX(twips), 0), widget.height());
}

void Twips::setHeight(QWidget& widget, double twips) const
{
    widget.resize(widget.width(), std::max(toPxY(twips), 0));
}

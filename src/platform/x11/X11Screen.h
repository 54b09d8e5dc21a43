#pragma once
#include "platform/Screen.h"

namespace platform::x11 {

class X11Connection;

class X11Screen : public Screen {
public:
    explicit X11Screen(X11Connection& connection) : connection_(connection) {}

    QSize sizePx() override;
    double logicalDpiX() override;
    double logicalDpiY() override;
    bool mouseButtonsSwapped() override;
    bool compositingAvailable() override;
    QRect monitorGeometryAt(QPoint point) override;

private:
    X11Connection& connection_;
};

} // namespace platform::x11

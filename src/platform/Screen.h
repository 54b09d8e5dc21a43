#pragma once
#include <QSize>

namespace platform {

// Display geometry and pointer-device facts.
class Screen {
public:
    virtual ~Screen() = default;

    // Size of the primary screen in pixels.
    virtual QSize sizePx() = 0;
    // Logical dots per inch, horizontal and vertical (96 on a normal display).
    virtual double logicalDpiX() = 0;
    virtual double logicalDpiY() = 0;
    // True when the user has exchanged the primary and secondary mouse buttons;
    // false also when the platform cannot tell.
    virtual bool mouseButtonsSwapped() = 0;
};

} // namespace platform

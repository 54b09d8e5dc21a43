#pragma once
// The window kind of the program's floating windows: no frame, in the topmost band,
// never given the keyboard focus, and shown without activation.

#include <QWidget>

inline void makeFloatingWindow(QWidget& window)
{
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.setFocusPolicy(Qt::NoFocus);
}

#include "popup/ShadowWindow.h"

#include "popup/FloatingWindow.h"

#include <QPainter>

ShadowWindow::ShadowWindow()
{
    makeFloatingWindow(*this);
    setWindowFlag(Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowTitle("Quillora shadow");
}

void ShadowWindow::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void ShadowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The picture replaces what the window held, alpha included.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.drawImage(0, 0, picture_);
}

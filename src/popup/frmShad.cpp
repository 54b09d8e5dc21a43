#include "popup/frmShad.h"

#include "popup/PopupWindowFlags.h"

#include <QPainter>

frmShad::frmShad()
{
    makeFloatingWindow(*this);
    setWindowFlag(Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowTitle("Quillora shadow");
}

void frmShad::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void frmShad::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The picture replaces what the window held, alpha included.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.drawImage(0, 0, picture_);
}

#include "popup/frmico.h"

#include "popup/IconPictures.h"
#include "popup/PictureBox.h"
#include "popup/PopupWindowFlags.h"

#include <cmath>

frmico::frmico()
{
    makeFloatingWindow(*this);
    setWindowTitle("Quillora");
    ico = new PictureBox(this);
    icocls = new PictureBox(this);
    Form_Load();
    showOffer(true);
}

void frmico::Form_Load()
{
    setFixedSize(SizePx, SizePx);
    for (PictureBox* picture : {ico, icocls})
        picture->setGeometry(0, 0, SizePx, SizePx);
    drawPictures();
}

void frmico::drawPictures()
{
    const int scale = std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())));
    ico->setPixmap(gPicture(scale));
    icocls->setPixmap(closePicture(scale));
}

void frmico::showOffer(bool offer)
{
    ico->setVisible(offer);
    icocls->setVisible(!offer);
}

void frmico::setBackground(Colour colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    setPalette(palette);
    setAutoFillBackground(true);
}

void frmico::showEvent(QShowEvent* event)
{
    // The monitor it is shown on may have another scale than the last one.
    drawPictures();
    QWidget::showEvent(event);
}

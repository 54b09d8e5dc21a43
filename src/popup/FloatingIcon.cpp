#include "popup/FloatingIcon.h"

#include "popup/IconPictures.h"
#include "popup/IconPicture.h"
#include "popup/FloatingWindow.h"

#include <cmath>

FloatingIcon::FloatingIcon()
{
    makeFloatingWindow(*this);
    setWindowTitle("Quillora");
    offerPicture = new IconPicture(this);
    closePicture = new IconPicture(this);
    setUpPictures();
    showOffer(true);
}

void FloatingIcon::setUpPictures()
{
    setFixedSize(SizePx, SizePx);
    for (IconPicture* picture : {offerPicture, closePicture})
        picture->setGeometry(0, 0, SizePx, SizePx);
    drawPictures();
}

void FloatingIcon::drawPictures()
{
    const int scale = std::max(1, static_cast<int>(std::ceil(devicePixelRatioF())));
    offerPicture->setPixmap(drawLetterG(scale));
    closePicture->setPixmap(drawCross(scale));
}

void FloatingIcon::showOffer(bool offer)
{
    offerPicture->setVisible(offer);
    closePicture->setVisible(!offer);
}

void FloatingIcon::setBackground(Colour colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    setPalette(palette);
    setAutoFillBackground(true);
}

void FloatingIcon::showEvent(QShowEvent* event)
{
    // The monitor it is shown on may have another scale than the last one.
    drawPictures();
    QWidget::showEvent(event);
}

#pragma once
// The floating icon window: 16 x 16 pixels over other applications, offering a
// translation (`offerPicture`, a G) or, while the popup is open, closing it (`closePicture`, a cross).

#include "common/Colour.h"

#include <QWidget>

class IconPicture;

class FloatingIcon : public QWidget {
    Q_OBJECT
public:
    static constexpr int SizePx = 16;

    FloatingIcon();

    IconPicture* offerPicture;
    IconPicture* closePicture;

    // Shows `offerPicture` (offer) or `closePicture` (close); exactly one of them is visible.
    void showOffer(bool offer);
    void setBackground(Colour colour);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUpPictures();
    void drawPictures();
};

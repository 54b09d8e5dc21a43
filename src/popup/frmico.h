#pragma once
// The floating icon window: 16 x 16 pixels over other applications, offering a
// translation (`ico`, a G) or, while the popup is open, closing it (`icocls`, a cross).

#include "config/ColorText.h"

#include <QWidget>

class PictureBox;

class frmico : public QWidget {
    Q_OBJECT
public:
    static constexpr int SizePx = 16;

    frmico();

    PictureBox* ico;
    PictureBox* icocls;

    // Shows `ico` (offer) or `icocls` (close); exactly one of them is visible.
    void showOffer(bool offer);
    void setBackground(Colour colour);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void drawPictures();
};

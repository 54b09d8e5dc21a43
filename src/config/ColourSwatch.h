#pragma once
#include "config/ColorText.h"

#include <QFrame>

// A small framed square filled with one colour; clicking it emits clicked().
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    Colour colour() const { return colour_; }
    void setColour(Colour colour);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Colour colour_ = 0;
};

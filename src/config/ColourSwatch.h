#pragma once
#include "common/Colour.h"
#include "common/ClickableLabel.h"

// A small framed square filled with one colour; clicking it emits clicked().
class ColourSwatch : public ClickableLabel {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    Colour colour() const { return colour_; }
    void setColour(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Colour colour_ = 0;
};

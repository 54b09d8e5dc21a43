#pragma once
// A picture on the icon window that reports presses and clicks.

#include "common/ClickableLabel.h"

class IconPicture : public ClickableLabel {
    Q_OBJECT
public:
    explicit IconPicture(QWidget* parent);

signals:
    // A mouse button went down: 1 left, 2 right, 4 middle (logical buttons).
    void mouseDown(int button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

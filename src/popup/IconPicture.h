#pragma once
// A picture on the icon window that reports presses and clicks.

#include "common/ClickableLabel.h"

class IconPicture : public ClickableLabel {
    Q_OBJECT
public:
    explicit IconPicture(QWidget* parent);

signals:
    // A mouse button went down over it (the logical button, as the user has mapped it).
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

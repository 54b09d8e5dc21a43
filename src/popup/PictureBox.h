#pragma once
// A picture on the icon window that reports presses and clicks.

#include <QLabel>

class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);

signals:
    // A mouse button went down: 1 left, 2 right, 4 middle (logical buttons).
    void mouseDown(int button);
    // The left button went down and came up again over the picture.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

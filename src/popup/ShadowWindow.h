#pragma once
// The popup's drop-shadow window: a translucent picture with per-pixel alpha that
// lets every click through and is never activated.

#include <QImage>
#include <QWidget>

class ShadowWindow : public QWidget {
    Q_OBJECT
public:
    ShadowWindow();

    // Shows the picture (premultiplied ARGB) from the window's top-left corner.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

#pragma once
// Form geometry in twips over widgets that live in pixels. A length set in twips is
// taken to the nearest pixel, halves to even; a length read back is the pixel count
// times the twips per pixel, the way a form reports it.

#include <QRect>

class QWidget;
struct AppState;

class Twips {
public:
    explicit Twips(const AppState& state);

    int perPxX() const { return perPxX_; }
    int perPxY() const { return perPxY_; }
    int toPxX(double twips) const;
    int toPxY(double twips) const;
    // A rectangle in pixels, in twips.
    QRect fromPx(const QRect& px) const;

    int left(const QWidget& widget) const;
    int top(const QWidget& widget) const;
    int width(const QWidget& widget) const;
    int height(const QWidget& widget) const;
    void setLeft(QWidget& widget, double twips) const;
    void setTop(QWidget& widget, double twips) const;
    void setWidth(QWidget& widget, double twips) const;
    void setHeight(QWidget& widget, double twips) const;

private:
    int perPxX_;
    int perPxY_;
};

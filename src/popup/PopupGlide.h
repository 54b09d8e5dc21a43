#pragma once
// The popup's glide towards a new size, which ends by placing the drop shadow.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

class QVariantAnimation;
class QWidget;
class ShadowWindow;

class PopupGlide : public QObject {
    Q_OBJECT
public:
    // shadow: hidden when a glide starts, drawn and placed when it ends.
    explicit PopupGlide(ShadowWindow& shadow);

    // Glide steps from the settings (0 to 50; 0 jumps), whether the shadow is drawn at
    // the end, and whether a compositor is there to show it.
    void configure(double steps, bool shadow, bool compositing);

    // Grows the form to width W and height H (pixels), the width first, moving its left
    // edge leftwards to L; shrinking is immediate. Each step lasts 30 ms; a new glide
    // takes over from where this one got to. Ends with the shadow.
    void glide(QWidget* form, int W, int H, int L);
    // Stops a glide where it stands; no shadow comes.
    void stop();
    bool isGliding() const;

    // The rectangles a glide from `from` to W x H at left L passes through, last one
    // included: each step closes the remaining distance by 1/speed.
    static QList<QRect> frames(QRect from, int W, int H, int L, double speed);

private:
    void placeShadow(QWidget& form, int W, int H);

    ShadowWindow& shadow_;
    double speed_ = 1;
    bool shadowOn_ = false;
    bool compositing_ = false;
    QPointer<QVariantAnimation> animation_;
};

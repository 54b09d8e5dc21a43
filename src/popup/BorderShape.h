#pragma once
// A one-pixel, unfilled rectangle over its whole area; clicks pass through it.

#include <QColor>
#include <QWidget>

class BorderShape : public QWidget {
    Q_OBJECT
public:
    explicit BorderShape(QWidget* parent);

    void setBorderColor(const QColor& colour);
    QColor borderColor() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

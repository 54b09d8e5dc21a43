#pragma once
// A footer link of the popup: plain-text caption (never interpreted as markup), sized
// to its caption, hand pointer, and a signal for a single left click.

#include <QLabel>

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent, const QString& caption = {}, const QString& toolTip = {});

    void setCaption(const QString& caption);
    QString caption() const { return text(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

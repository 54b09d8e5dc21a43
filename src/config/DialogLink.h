#pragma once
#include <QColor>
#include <QLabel>

// A label that acts as a link: coloured text, a hand pointer, and clicked() on a
// left click inside it.
class DialogLink : public QLabel {
    Q_OBJECT
public:
    DialogLink(const QString& text, const QColor& colour, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

#pragma once
// A link in the popup footer or a dialog: plain-text caption (never interpreted as
// markup, so "<" and quotes show as they are), sized to its caption, hand pointer,
// and clicked() for a single left click.

#include "common/ClickableLabel.h"

#include <QColor>

class LinkLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent, const QString& caption = {}, const QString& toolTip = {});

    void setCaption(const QString& caption);
    QString caption() const { return text(); }
    // The caption's colour.
    void setColour(const QColor& colour);
};

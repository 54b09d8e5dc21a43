#pragma once
// The translation popup: a borderless, topmost window that never takes the focus,
// holding the text control `textView`, the hidden measuring label `measuringLabel`,
// the footer links and the one-pixel border.

#include "common/Colour.h"
#include "popup/MeasuringLabel.h"

#include <QSize>
#include <QWidget>

class BorderShape;
class LinkLabel;
class QTextEdit;

class TranslationPopup : public QWidget {
    Q_OBJECT
public:
    TranslationPopup();

    // Where the text control stands: the popup's margins, pixels.
    static constexpr int TextLeftPx = 6;
    static constexpr int TextTopPx = 8;
    // Only the first characters get the configured colour and size.
    static constexpr int FormattedLength = 10000;
    // Point size of characters beyond the formatted part.
    static constexpr double DefaultPointSize = 8;

    QTextEdit* textView;
    MeasuringLabel measuringLabel;
    LinkLabel* serviceLink;
    LinkLabel* directionLink;
    LinkLabel* copyLink;
    LinkLabel* updateLink;
    BorderShape* border;

    // The face of the shown and the measured text, at the given size.
    static QFont textFont(double pointSize);

    // Gives the first FormattedLength characters the colour and point size.
    void formatText(Colour colour, double pointSize);
    // Measures the text with `measuringLabel` (wrapped at wrapWidthPx, or one line at
    // its natural width) and sizes textView to it. The text control never exceeds
    // maxTextPx: a longer line breaks inside words and a taller text scrolls.
    void fitTextControl(const QString& text, double pointSize, int wrapWidthPx, QSize maxTextPx);
    // The popup's size around the text control, with room for the footer row when the
    // text is wide enough to have it beside the service link.
    QSize sizeAroundText() const;

    // Colours and border from the applied settings.
    void dress(Colour back, Colour text, Colour gray, const QString& serviceCaption, bool borderOn);

    // Lays out the footer row and the border for the current size.
    void layOutFooter();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

#pragma once
// The translation popup: a borderless, topmost window that never takes the focus,
// holding the text control `textView`, the hidden measuring label `measuringLabel`, the footer
// links and the one-pixel border.

#include "common/Colour.h"
#include "popup/MeasuringLabel.h"

#include <QSize>
#include <QWidget>

struct AppState;
class BorderShape;
class LinkLabel;
class QTextEdit;

class TranslationPopup : public QWidget {
    Q_OBJECT
public:
    explicit TranslationPopup(AppState& state);

    // Design geometry of the text control, twips.
    static constexpr int TextLeftTwips = 90;
    static constexpr int TextTopTwips = 120;
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
    // Measures the text with `measuringLabel` (wrapped at wrapWidthPx, or one line at its natural
    // width) and sizes textView to it. The text control never exceeds maxTextPx: a
    // longer line breaks inside words and a taller text scrolls.
    void fitTextControl(const QString& text, double pointSize, int wrapWidthPx, QSize maxTextPx);

    // Colours and border from the applied settings.
    void dress(Colour back, Colour text, Colour gray, const QString& serviceCaption, bool borderOn);

    // Lays out the footer row and the border for the current size.
    void layOutFooter();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    AppState& state_;
};

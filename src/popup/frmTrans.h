#pragma once
// The translation popup: a borderless, topmost window that never takes the focus,
// holding the text control `lblText`, the hidden measuring label `lbl`, the footer
// links and the one-pixel border.

#include "config/ColorText.h"
#include "popup/MeasuringLabel.h"

#include <QSize>
#include <QWidget>

struct AppState;
class BorderShape;
class LinkLabel;
class QTextEdit;

class frmTrans : public QWidget {
    Q_OBJECT
public:
    explicit frmTrans(AppState& state);

    // Design geometry of the text control, twips.
    static constexpr int TextLeftTwips = 90;
    static constexpr int TextTopTwips = 120;
    // Only the first characters get the configured colour and size.
    static constexpr int FormattedLength = 10000;
    // Point size of characters beyond the formatted part.
    static constexpr double DefaultPointSize = 8;

    QTextEdit* lblText;
    MeasuringLabel lbl;
    LinkLabel* google;
    LinkLabel* lbldir;
    LinkLabel* lblCopy;
    LinkLabel* lblNew;
    BorderShape* border;

    // The face of the shown and the measured text, at the given size.
    static QFont textFont(double pointSize);

    // Gives the first FormattedLength characters the colour and point size.
    void formatText(Colour colour, double pointSize);
    // Measures the text with `lbl` (wrapped at wrapWidthPx, or one line at its natural
    // width) and sizes lblText to it. The text control never exceeds maxTextPx: a
    // longer line breaks inside words and a taller text scrolls.
    void fitTextControl(const QString& text, double pointSize, int wrapWidthPx, QSize maxTextPx);

    // Colours and border from the applied settings.
    void dress(Colour back, Colour gray, const QString& googleCaption, bool borderOn);

    // Lays out the footer row and the border for the current size.
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    AppState& state_;
};

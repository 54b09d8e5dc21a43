#include "popup/TranslationPopup.h"

#include "common/AppState.h"
#include "popup/BorderShape.h"
#include "common/LinkLabel.h"
#include "popup/FloatingWindow.h"
#include "common/Twips.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>

namespace {
// Left of a footer label that is parked beyond the right edge, twips.
constexpr int ParkedLeft = 10000;
// A label left of this is in place rather than parked.
constexpr int InPlaceLimit = 5000;
constexpr int FooterGapPx = 10;
constexpr int NarrowPopupPx = 250;
const QColor Orange(255, 128, 0);

void setForeground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
}

void setBackground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
} // namespace

TranslationPopup::TranslationPopup(AppState& state) : state_(state)
{
    makeFloatingWindow(*this);
    setWindowTitle("Quillora");

    textView = new QTextEdit(this);
    textView->setReadOnly(true);
    textView->setUndoRedoEnabled(false);
    textView->setFrameShape(QFrame::NoFrame);
    textView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textView->setFocusPolicy(Qt::NoFocus);
    textView->setContextMenuPolicy(Qt::NoContextMenu);
    textView->document()->setDocumentMargin(0);
    textView->document()->setDefaultFont(textFont(DefaultPointSize));
    textView->setLineWrapMode(QTextEdit::FixedPixelWidth);

    serviceLink = new LinkLabel(this, "Powered by Google");
    serviceLink->hide();
    directionLink = new LinkLabel(this, {}, "Select language");
    copyLink = new LinkLabel(this, "copy", "Copy to Clipboard");
    updateLink = new LinkLabel(this, "New v", "Download Latest Version!");
    setForeground(*updateLink, Orange);
    updateLink->hide();
    border = new BorderShape(this);
    border->hide();

    const Twips tw(state_);
    tw.setLeft(*textView, TextLeftTwips);
    tw.setTop(*textView, TextTopTwips);
    measuringLabel.setFont(textFont(DefaultPointSize));
}

QFont TranslationPopup::textFont(double pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    return font;
}

void TranslationPopup::formatText(Colour colour, double pointSize)
{
    QTextCursor cursor(textView->document());
    const int end = textView->document()->characterCount() - 1;
    cursor.setPosition(0);
    cursor.setPosition(std::min(FormattedLength, end), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(toQColor(colour));
    format.setFontPointSize(pointSize);
    cursor.mergeCharFormat(format);
    QTextCursor caret = textView->textCursor();
    caret.clearSelection();
    textView->setTextCursor(caret);
}

void TranslationPopup::fitTextControl(const QString& text, double pointSize, int wrapWidthPx, QSize maxTextPx)
{
    const Twips tw(state_);
    measuringLabel.setFont(textFont(pointSize));
    measuringLabel.setBreakWords(false);
    measuringLabel.setWordWrap(true);
    measuringLabel.setCaption(QString());
    const int emptyHeight = measuringLabel.heightPx();
    measuringLabel.setWidthPx(wrapWidthPx);
    measuringLabel.setCaption(text);
    if (measuringLabel.heightPx() == emptyHeight) {
        // One line: the label takes the natural width of that line.
        measuringLabel.setCaption(QString());
        measuringLabel.setWidthPx(tw.toPxX(100));
        measuringLabel.setWordWrap(false);
        measuringLabel.setCaption(text);
    }
    if (!measuringLabel.wordWrap() && measuringLabel.widthPx() > maxTextPx.width()) {
        // A line wider than the monitor is broken where it must be.
        measuringLabel.setWordWrap(true);
        measuringLabel.setWidthPx(maxTextPx.width());
    }
    if (measuringLabel.overflows())
        measuringLabel.setBreakWords(true);

    const int lineWidth = measuringLabel.widthPx();
    textView->setWordWrapMode(measuringLabel.wrapMode());
    textView->setLineWrapColumnOrWidth(std::max(lineWidth, 1));
    int width = tw.toPxX(lineWidth * tw.perPxX() + 5 * tw.perPxX());
    int height = measuringLabel.heightPx();
    if (height > maxTextPx.height()) {
        height = std::max(maxTextPx.height(), 1);
        textView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        width += textView->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    } else {
        textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    textView->resize(width, height);
}

void TranslationPopup::dress(Colour back, Colour text, Colour gray, const QString& serviceCaption, bool borderOn)
{
    setBackground(*this, toQColor(back));
    setBackground(*textView, toQColor(back));
    setBackground(*textView->viewport(), toQColor(back));
    // Characters past the formatted part take the control's own colour.
    setForeground(*textView, toQColor(text));
    serviceLink->setCaption(serviceCaption);
    for (LinkLabel* label : {serviceLink, directionLink, copyLink})
        setForeground(*label, toQColor(gray));
    border->setBorderColor(toQColor(gray));
    border->setVisible(borderOn);
    layOutFooter();
}

void TranslationPopup::layOutFooter()
{
    const Twips tw(state_);
    const int gap = FooterGapPx * tw.perPxX();
    const int width = tw.width(*this);

    tw.setTop(*serviceLink, tw.top(*textView) + tw.height(*textView) + 0.5 * tw.height(*serviceLink));
    tw.setLeft(*serviceLink, width < NarrowPopupPx * tw.perPxX() ? ParkedLeft : tw.left(*textView));
    if (tw.left(*serviceLink) < InPlaceLimit && !updateLink->isHidden()) {
        tw.setLeft(*updateLink, width - tw.width(*updateLink) - gap);
        tw.setLeft(*directionLink, tw.left(*updateLink) - tw.width(*directionLink) - gap);
    } else {
        tw.setLeft(*directionLink, width - tw.width(*directionLink) - gap);
        tw.setLeft(*updateLink, ParkedLeft);
    }
    tw.setLeft(*copyLink, tw.left(*directionLink) - tw.width(*copyLink) - gap);
    for (LinkLabel* label : {directionLink, updateLink, copyLink})
        tw.setTop(*label, tw.top(*serviceLink));

    border->setGeometry(0, 0, this->width(), this->height());
    border->raise();
}

void TranslationPopup::resizeEvent(QResizeEvent*)
{
    layOutFooter();
}

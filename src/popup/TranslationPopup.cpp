#include "popup/TranslationPopup.h"

#include "common/LinkLabel.h"
#include "common/NumberText.h"
#include "popup/BorderShape.h"
#include "popup/FloatingWindow.h"

#include <QFontDatabase>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>

namespace {
// Left of a footer label that is parked beyond the right edge, and the left below
// which a label is in place rather than parked, pixels.
constexpr int ParkedLeftPx = 667;
constexpr int InPlaceLimitPx = 334;
constexpr int FooterGapPx = 10;
// Popups narrower than this park the service link.
constexpr int NarrowPopupPx = 250;
// Text control widths up to which the footer row gets no room.
constexpr int FooterlessTextWidthPx = 200;
// The width a one-line caption is first measured at.
constexpr int OneLineProbePx = 7;
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

int half(int px)
{
    return static_cast<int>(numbertext::roundHalfEven(px / 2.0));
}
} // namespace

TranslationPopup::TranslationPopup()
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
    textView->move(TextLeftPx, TextTopPx);

    serviceLink = new LinkLabel(this, "Powered by Google");
    serviceLink->hide();
    directionLink = new LinkLabel(this, {}, "Select language");
    copyLink = new LinkLabel(this, "copy", "Copy to Clipboard");
    updateLink = new LinkLabel(this, "New v", "Download Latest Version!");
    setForeground(*updateLink, Orange);
    updateLink->hide();
    border = new BorderShape(this);
    border->hide();
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
        measuringLabel.setWidthPx(OneLineProbePx);
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
    // Five pixels more than the lines, so that the last character is never cut.
    int width = lineWidth + 5;
    int height = measuringLabel.heightPx();
    if (height > maxTextPx.height()) {
        height = std::max(maxTextPx.height(), 1);
        textView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // The scroll bar takes its room from the lines where the monitor has none to spare.
        const int bar = textView->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int lines = std::max(std::min(lineWidth, maxTextPx.width() - bar), 1);
        textView->setLineWrapColumnOrWidth(lines);
        width = lines + 5 + bar;
    } else {
        textView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    textView->resize(width, height);
}

QSize TranslationPopup::sizeAroundText() const
{
    int footer = 0;
    if (textView->width() > FooterlessTextWidthPx && !serviceLink->caption().isEmpty() && !serviceLink->isHidden())
        footer = static_cast<int>(numbertext::roundHalfEven(1.5 * serviceLink->height()));
    return {2 * TextLeftPx + textView->width(), textView->height() + footer + 2 * TextTopPx};
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
    const int top = textView->y() + textView->height() + half(serviceLink->height());
    serviceLink->move(width() < NarrowPopupPx ? ParkedLeftPx : textView->x(), top);
    if (serviceLink->x() < InPlaceLimitPx && !updateLink->isHidden()) {
        updateLink->move(width() - updateLink->width() - FooterGapPx, top);
        directionLink->move(updateLink->x() - directionLink->width() - FooterGapPx, top);
    } else {
        directionLink->move(width() - directionLink->width() - FooterGapPx, top);
        updateLink->move(ParkedLeftPx, top);
    }
    copyLink->move(directionLink->x() - copyLink->width() - FooterGapPx, top);

    border->setGeometry(0, 0, width(), height());
    border->raise();
}

void TranslationPopup::resizeEvent(QResizeEvent*)
{
    layOutFooter();
}

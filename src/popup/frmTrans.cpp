#include "popup/frmTrans.h"

#include "core/AppState.h"
#include "popup/BorderShape.h"
#include "popup/LinkLabel.h"
#include "popup/PopupWindowFlags.h"
#include "popup/Twips.h"

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

frmTrans::frmTrans(AppState& state) : state_(state)
{
    makeFloatingWindow(*this);
    setWindowTitle("Quillora");

    lblText = new QTextEdit(this);
    lblText->setReadOnly(true);
    lblText->setUndoRedoEnabled(false);
    lblText->setFrameShape(QFrame::NoFrame);
    lblText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblText->setFocusPolicy(Qt::NoFocus);
    lblText->setContextMenuPolicy(Qt::NoContextMenu);
    lblText->document()->setDocumentMargin(0);
    lblText->document()->setDefaultFont(textFont(DefaultPointSize));
    lblText->setLineWrapMode(QTextEdit::FixedPixelWidth);

    google = new LinkLabel(this, "Powered by Google");
    google->hide();
    lbldir = new LinkLabel(this, {}, "Select language");
    lblCopy = new LinkLabel(this, "copy", "Copy to Clipboard");
    lblNew = new LinkLabel(this, "New v", "Download Latest Version!");
    setForeground(*lblNew, Orange);
    lblNew->hide();
    border = new BorderShape(this);
    border->hide();

    const Twips tw(state_);
    tw.setLeft(*lblText, TextLeftTwips);
    tw.setTop(*lblText, TextTopTwips);
    lbl.setFont(textFont(DefaultPointSize));
}

QFont frmTrans::textFont(double pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    return font;
}

void frmTrans::formatText(Colour colour, double pointSize)
{
    QTextCursor cursor(lblText->document());
    const int end = lblText->document()->characterCount() - 1;
    cursor.setPosition(0);
    cursor.setPosition(std::min(FormattedLength, end), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(toQColor(colour));
    format.setFontPointSize(pointSize);
    cursor.mergeCharFormat(format);
    QTextCursor caret = lblText->textCursor();
    caret.clearSelection();
    lblText->setTextCursor(caret);
}

void frmTrans::fitTextControl(const QString& text, double pointSize, int wrapWidthPx, QSize maxTextPx)
{
    const Twips tw(state_);
    lbl.setFont(textFont(pointSize));
    lbl.setBreakWords(false);
    lbl.setWordWrap(true);
    lbl.setCaption(QString());
    const int emptyHeight = lbl.heightPx();
    lbl.setWidthPx(wrapWidthPx);
    lbl.setCaption(text);
    if (lbl.heightPx() == emptyHeight) {
        // One line: the label takes the natural width of that line.
        lbl.setCaption(QString());
        lbl.setWidthPx(tw.toPxX(100));
        lbl.setWordWrap(false);
        lbl.setCaption(text);
    }
    if (!lbl.wordWrap() && lbl.widthPx() > maxTextPx.width()) {
        // A line wider than the monitor is broken where it must be.
        lbl.setWordWrap(true);
        lbl.setWidthPx(maxTextPx.width());
    }
    if (lbl.overflows())
        lbl.setBreakWords(true);

    const int lineWidth = lbl.widthPx();
    lblText->setWordWrapMode(lbl.wrapMode());
    lblText->setLineWrapColumnOrWidth(std::max(lineWidth, 1));
    int width = tw.toPxX(lineWidth * tw.perPxX() + 5 * tw.perPxX());
    int height = lbl.heightPx();
    if (height > maxTextPx.height()) {
        height = std::max(maxTextPx.height(), 1);
        lblText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        width += lblText->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    } else {
        lblText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    lblText->resize(width, height);
}

void frmTrans::dress(Colour back, Colour gray, const QString& googleCaption, bool borderOn)
{
    setBackground(*this, toQColor(back));
    setBackground(*lblText, toQColor(back));
    setBackground(*lblText->viewport(), toQColor(back));
    google->setCaption(googleCaption);
    for (LinkLabel* label : {google, lbldir, lblCopy})
        setForeground(*label, toQColor(gray));
    border->setBorderColor(toQColor(gray));
    border->setVisible(borderOn);
    Form_Resize();
}

void frmTrans::Form_Resize()
{
    const Twips tw(state_);
    const int gap = FooterGapPx * tw.perPxX();
    const int width = tw.width(*this);

    tw.setTop(*google, tw.top(*lblText) + tw.height(*lblText) + 0.5 * tw.height(*google));
    tw.setLeft(*google, width < NarrowPopupPx * tw.perPxX() ? ParkedLeft : tw.left(*lblText));
    if (tw.left(*google) < InPlaceLimit && !lblNew->isHidden()) {
        tw.setLeft(*lblNew, width - tw.width(*lblNew) - gap);
        tw.setLeft(*lbldir, tw.left(*lblNew) - tw.width(*lbldir) - gap);
    } else {
        tw.setLeft(*lbldir, width - tw.width(*lbldir) - gap);
        tw.setLeft(*lblNew, ParkedLeft);
    }
    tw.setLeft(*lblCopy, tw.left(*lbldir) - tw.width(*lblCopy) - gap);
    for (LinkLabel* label : {lbldir, lblNew, lblCopy})
        tw.setTop(*label, tw.top(*google));

    border->setGeometry(0, 0, this->width(), this->height());
    border->raise();
}

void frmTrans::resizeEvent(QResizeEvent*)
{
    Form_Resize();
}

#include "popup/Popup.h"

#include "core/AppState.h"
#include "core/NumberText.h"
#include "core/frmMain.h"
#include "platform/api.h"
#include "popup/EdgeCorrection.h"
#include "popup/LinkLabel.h"
#include "popup/PictureBox.h"
#include "popup/RichText.h"
#include "popup/Twips.h"
#include "popup/frmShad.h"
#include "popup/frmTrans.h"
#include "popup/frmico.h"

#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace {
// Size the popup grows from when it opens, pixels.
constexpr int OpeningWidthPx = 16;
constexpr int OpeningHeightPx = 30;
// Text control widths (pixels) up to which the footer row gets no room.
constexpr int FooterlessTextWidthPx = 200;
// Wrap widths outside these are no use: the narrowest still shows a word or two.
constexpr int MinWrapWidthPx = 50;
constexpr double DefaultWrapWidthPx = 450;
constexpr double MaxPointSize = 1638;
// How far the pointer may move away from the icon beyond its first distance.
constexpr double LeaveDistancePx = 50;

constexpr int PopupHideFrom = 20, PopupHideSteps = 3;
constexpr int IconHideFrom = 100, IconHideSteps = 5;

int whole(double value)
{
    return numbertext::clampedWhole(value, -1000000000, 1000000000);
}
} // namespace

Popup::Popup(AppState& state, platform::api& platform, frmMain& main)
    : state_(state), platform_(platform), frmMain_(main), frmShad_(std::make_unique<frmShad>()),
      frmico_(std::make_unique<frmico>()), frmTrans_(std::make_unique<frmTrans>(state)), effects_(state, platform)
{
    effects_.setShadowWindow(frmShad_.get());
    connectHandlers();
}

Popup::~Popup() = default;

void Popup::connectHandlers()
{
    connect(frmico_->ico, &PictureBox::mouseDown, this, &Popup::ico_MouseDown);
    connect(frmico_->icocls, &PictureBox::clicked, this, &Popup::icocls_Click);
    connect(frmTrans_->google, &LinkLabel::clicked, this, &Popup::google_Click);
    connect(frmTrans_->lblCopy, &LinkLabel::clicked, this, &Popup::lblCopy_Click);
    connect(frmTrans_->lbldir, &LinkLabel::clicked, this, &Popup::lbldir_Click);
    connect(frmTrans_->lblNew, &LinkLabel::clicked, this, &Popup::lblNew_Click);
    connect(&frmMain_.tmrHideIco, &Timer::timeout, this, &Popup::tmrHideIco_Timer);
    connect(&frmMain_.tmrOut, &Timer::timeout, this, &Popup::tmrOut_Timer);
}

void Popup::dress()
{
    const bool borderOn = state_.settings.flag("border");
    frmTrans_->dress(state_.clrBack, state_.clrGray, state_.settings.value("googlelabel"), borderOn);
    frmico_->setBackground(borderOn ? state_.clrGray : state_.clrBack);
}

QString Popup::lblTextValue() const
{
    return GetRichText(frmTrans_->lblText, false);
}

void Popup::setLblText(const QString& text)
{
    SetRichText(frmTrans_->lblText, text, false);
}

int Popup::transparency()
{
    return whole(state_.settings.number("Transparency").value_or(0));
}

double Popup::fontSize()
{
    // Unreadable or not positive: the text control's own size.
    const double size = state_.settings.number("FontSize").value_or(0);
    return size > 0 ? std::min(size, MaxPointSize) : frmTrans::DefaultPointSize;
}

QRect Popup::monitorPx()
{
    return platform_.screen().monitorGeometryAt(platform_.input().cursorPos());
}

QPoint Popup::keepOnMonitor(int left, int top, int W, int H)
{
    const Twips tw(state_);
    const QPoint cornerPx(tw.toPxX(left), tw.toPxY(top));
    const bool offMonitors = !platform_.screen().monitorGeometryAt(cornerPx).contains(cornerPx);
    const EdgePlacement placed = correctAtMonitorEdges(left, top, W, H, tw.fromPx(monitorPx()), offMonitors);
    if (placed.raised)
        tw.setTop(*frmico_, placed.top - tw.height(*frmico_));
    return {placed.left, placed.top};
}

int Popup::popupLeftUnderIcon(int W)
{
    const Twips tw(state_);
    const int left = tw.left(*frmico_) + tw.width(*frmico_) - W;
    return std::max(left, state_.SelectionLeft);
}

void Popup::ShowTranslation(const QString& text)
{
    frmTrans& f = *frmTrans_;
    const Twips tw(state_);
    SetRichText(f.lblText, text, false);
    const double pointSize = fontSize();
    f.formatText(state_.clrText, pointSize);

    // The popup never outgrows the monitor: the text control keeps inside it the
    // margins, the 5-pixel allowance and the footer row.
    const QRect monitor = monitorPx();
    const int marginXPx = tw.toPxX(frmTrans::TextLeftTwips);
    const int marginYPx = tw.toPxY(frmTrans::TextTopTwips);
    const int footerPx = static_cast<int>(std::ceil(1.5 * f.google->height()));
    const QSize maxText(std::max(monitor.width() - 2 * marginXPx - 5, MinWrapWidthPx),
                        std::max(monitor.height() - 2 * marginYPx - footerPx, 1));
    const double wrapSetting = state_.settings.number("transwidth").value_or(DefaultWrapWidthPx);
    const int wrapWidth = std::clamp(whole(wrapSetting), MinWrapWidthPx, maxText.width());
    f.fitTextControl(text, pointSize, wrapWidth, maxText);

    double footer = 0;
    if (tw.width(*f.lblText) / tw.perPxX() > FooterlessTextWidthPx && !f.google->caption().isEmpty() &&
        !f.google->isHidden())
        footer = 1.5 * tw.height(*f.google);
    const int H = whole(tw.height(*f.lblText) + footer + 2 * tw.top(*f.lblText));
    const int W = whole(2 * tw.left(*f.lblText) + tw.width(*f.lblText));

    const QPoint placed = keepOnMonitor(popupLeftUnderIcon(W), tw.top(f), W, H);
    tw.setTop(f, placed.y());

    if (f.isVisible()) {
        effects_.GlideWindow(&f, W, H, placed.x());
    } else {
        // Opening glides it into place from the icon.
        f.setGeometry(frmico_->x(), f.y(), tw.toPxX(W), tw.toPxY(H));
        // A hidden window gets its resize event only when shown; the footer is laid
        // out now all the same.
        f.Form_Resize();
    }
}

void Popup::OpenPopup(int x, int y)
{
    frmTrans& f = *frmTrans_;
    frmico& icon = *frmico_;
    const Twips tw(state_);
    frmMain_.tmrOut.setEnabled(false);
    effects_.SetWindowTransparency(&icon, transparency());
    frmMain_.tmrHideIco.setEnabled(false);
    icon.showOffer(false);
    if (x != 0 && y != 0)
        icon.move(x - frmico::SizePx / 2, y - frmico::SizePx / 2);

    const int W = tw.width(f);
    const int H = tw.height(f);
    f.resize(OpeningWidthPx, OpeningHeightPx);
    const QPoint placed = keepOnMonitor(popupLeftUnderIcon(W), tw.top(icon) + tw.height(icon), W, H);

    // Shown fully transparent first, so that nothing flashes at the opening size.
    effects_.SetWindowTransparency(&f, 255);
    effects_.SetWindowTopmost(&f, true, true, icon.x(), tw.toPxY(placed.y()));
    effects_.SetWindowTransparency(&f, transparency());
    effects_.SetWindowTopmost(&icon, true, true, 0, 0);
    effects_.GlideWindow(&f, W, H, placed.x());
}

void Popup::HidePopup()
{
    if (!frmico_->isVisible())
        return;
    frmShad_->hide();
    frmMain_.tmrHideIco.setEnabled(false);
    frmico_->hide();
    frmMain_.tmrTrans.setEnabled(false);
    frmTrans_->google->hide();
    if (frmTrans_->isVisible()) {
        // The popup stays at the last level; opening sets its level before it is seen.
        effects_.FadeWindow(frmTrans_.get(), PopupHideFrom, 255, PopupHideSteps);
        frmTrans_->hide();
    }
}

bool Popup::IsCursorOverWindow(const QWidget* window)
{
    if (!window)
        return false;
    const QRect area = window->frameGeometry();
    const QPoint pointer = platform_.input().cursorPos();
    return area.left() < pointer.x() && pointer.x() < area.left() + area.width() && area.top() < pointer.y() &&
           pointer.y() < area.top() + area.height();
}

void Popup::ico_MouseDown(int button)
{
    frmMain_.tmrOut.setEnabled(false);
    // The event names the logical button, btnSecondary the physical one.
    const bool swapped = state_.btnSecondary == 1;
    const int physical = swapped && (button == 1 || button == 2) ? 3 - button : button;
    if (physical == state_.btnSecondary) {
        emit translateOffRequested();
        HidePopup();
    } else {
        OpenPopup(0, 0);
    }
}

void Popup::icocls_Click()
{
    HidePopup();
}

void Popup::tmrHideIco_Timer()
{
    Timer& timer = frmMain_.tmrHideIco;
    if (IsCursorOverWindow(frmico_.get())) {
        // A full interval starts anew.
        timer.setEnabled(false);
        timer.setEnabled(true);
        return;
    }
    timer.setEnabled(false);
    effects_.FadeWindow(frmico_.get(), IconHideFrom, 255, IconHideSteps);
    frmico_->hide();
}

void Popup::tmrOut_Timer()
{
    const QPoint pointer = platform_.input().cursorPos();
    const double distance = std::hypot(double(state_.AnchorY - pointer.y()), double(state_.AnchorX - pointer.x()));
    if (distance > state_.AnchorDistance + LeaveDistancePx) {
        frmMain_.tmrOut.setEnabled(false);
        HidePopup();
    }
}

void Popup::google_Click()
{
    HidePopup();
    emit shellOpenRequested(state_.settings.value("googlelink"));
}

void Popup::lblCopy_Click()
{
    emit copyRequested(GetRichText(frmTrans_->lblText, true));
    HidePopup();
}

void Popup::lbldir_Click()
{
    HidePopup();
    emit showMainRequested();
}

void Popup::lblNew_Click()
{
    emit downloadPageRequested();
}

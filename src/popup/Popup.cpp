#include "popup/Popup.h"

#include "common/AppState.h"
#include "common/NumberText.h"
#include "common/ProgramTimers.h"
#include "platform/Platform.h"
#include "popup/EdgeCorrection.h"
#include "common/LinkLabel.h"
#include "popup/IconPicture.h"
#include "popup/TextControl.h"
#include "common/Twips.h"
#include "popup/ShadowWindow.h"
#include "popup/TranslationPopup.h"
#include "popup/FloatingIcon.h"

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

Popup::Popup(AppState& state, platform::Platform& platform, ProgramTimers& timers)
    : state_(state)
    , platform_(platform)
    , timers_(timers)
    , shadow_(std::make_unique<ShadowWindow>())
    , icon_(std::make_unique<FloatingIcon>())
    , window_(std::make_unique<TranslationPopup>(state))
    , effects_(state, platform)
    , glide_(state, platform, *shadow_)
{
    // Where the window manager would put them elsewhere, they are placed unmanaged.
    if (!platform.screen().placesWindowsAsAsked())
        for (QWidget* window : std::initializer_list<QWidget*>{shadow_.get(), icon_.get(), window_.get()})
            window->setWindowFlag(Qt::X11BypassWindowManagerHint);
    connectHandlers();
}

Popup::~Popup() = default;

void Popup::connectHandlers()
{
    connect(icon_->offerPicture, &IconPicture::mouseDown, this, &Popup::onIconPressed);
    connect(icon_->closePicture, &IconPicture::clicked, this, &Popup::onCloseMarkClicked);
    connect(window_->serviceLink, &LinkLabel::clicked, this, &Popup::onServiceLinkClicked);
    connect(window_->copyLink, &LinkLabel::clicked, this, &Popup::onCopyLinkClicked);
    connect(window_->directionLink, &LinkLabel::clicked, this, &Popup::onDirectionLinkClicked);
    connect(window_->updateLink, &LinkLabel::clicked, this, &Popup::onUpdateLinkClicked);
    connect(&timers_.iconRetire, &Timer::timeout, this, &Popup::onIconRetireTick);
    connect(&timers_.iconLeave, &Timer::timeout, this, &Popup::onIconLeaveTick);
    connect(&timers_.progressDots, &Timer::timeout, this, &Popup::advanceWaitingDots);
}

void Popup::dress()
{
    const bool borderOn = state_.settings.flag("border");
    window_->dress(state_.backColour, state_.textColour, state_.grayColour, state_.settings.value("googlelabel"),
                   borderOn);
    icon_->setBackground(borderOn ? state_.grayColour : state_.backColour);
}

QString Popup::shownText() const
{
    return controlText(window_->textView, false);
}

void Popup::setShownText(const QString& text)
{
    setControlText(window_->textView, text, false);
}

void Popup::advanceWaitingDots()
{
    const QString text = shownText();
    setShownText(text.size() == 5 ? QString() : text + ".");
}

void Popup::showServiceLink()
{
    window_->serviceLink->setVisible(true);
}

void Popup::showDirection(const QString& direction)
{
    window_->directionLink->setCaption(direction);
}

void Popup::showUpdateOffer(const QString& version)
{
    window_->updateLink->setCaption("New v" + version);
    window_->updateLink->show();
}

int Popup::transparency()
{
    return whole(state_.settings.number("Transparency").value_or(0));
}

double Popup::fontSize()
{
    // Unreadable or not positive: the text control's own size.
    const double size = state_.settings.number("FontSize").value_or(0);
    return size > 0 ? std::min(size, MaxPointSize) : TranslationPopup::DefaultPointSize;
}

QRect Popup::monitorPx()
{
    // The popup's own monitor while it is open, else the icon's; the pointer's only
    // for a selection the icon has not been placed for yet.
    if (window_->isVisible())
        return platform_.screen().monitorGeometryAt(window_->frameGeometry().center());
    return platform_.screen().monitorGeometryAt(anchor_.value_or(platform_.input().cursorPos()));
}

QPoint Popup::keepOnMonitor(int left, int top, int W, int H)
{
    const Twips tw(state_);
    const QPoint cornerPx(tw.toPxX(left), tw.toPxY(top));
    const bool offMonitors = !platform_.screen().monitorGeometryAt(cornerPx).contains(cornerPx);
    const EdgePlacement placed = correctAtMonitorEdges(left, top, W, H, tw.fromPx(monitorPx()), offMonitors);
    if (placed.raised)
        tw.setTop(*icon_, placed.top - tw.height(*icon_));
    return {placed.left, placed.top};
}

int Popup::popupLeftUnderIcon(int W)
{
    const Twips tw(state_);
    const int left = tw.left(*icon_) + tw.width(*icon_) - W;
    return std::max(left, state_.selectionLeftTwips);
}

void Popup::showTranslation(const QString& text)
{
    TranslationPopup& f = *window_;
    const Twips tw(state_);
    setControlText(f.textView, text, false);
    const double pointSize = fontSize();
    f.formatText(state_.textColour, pointSize);

    // The popup never outgrows the monitor: the text control keeps inside it the
    // margins, the 5-pixel allowance and the footer row.
    const QRect monitor = monitorPx();
    const int marginXPx = tw.toPxX(TranslationPopup::TextLeftTwips);
    const int marginYPx = tw.toPxY(TranslationPopup::TextTopTwips);
    const int footerPx = static_cast<int>(std::ceil(1.5 * f.serviceLink->height()));
    const QSize maxText(std::max(monitor.width() - 2 * marginXPx - 5, MinWrapWidthPx),
                        std::max(monitor.height() - 2 * marginYPx - footerPx, 1));
    const double wrapSetting = state_.settings.number("transwidth").value_or(DefaultWrapWidthPx);
    const int wrapWidth = std::clamp(whole(wrapSetting), MinWrapWidthPx, maxText.width());
    f.fitTextControl(text, pointSize, wrapWidth, maxText);

    double footer = 0;
    if (tw.width(*f.textView) / tw.perPxX() > FooterlessTextWidthPx && !f.serviceLink->caption().isEmpty() &&
        !f.serviceLink->isHidden())
        footer = 1.5 * tw.height(*f.serviceLink);
    const int H = whole(tw.height(*f.textView) + footer + 2 * tw.top(*f.textView));
    const int W = whole(2 * tw.left(*f.textView) + tw.width(*f.textView));

    if (f.isVisible()) {
        const QPoint placed = keepOnMonitor(popupLeftUnderIcon(W), tw.top(f), W, H);
        tw.setTop(f, placed.y());
        glide_.glide(&f, W, H, placed.x());
    } else {
        // Opening places it at the icon and glides it into place; the icon stays
        // where it was offered until then.
        f.setGeometry(icon_->x(), icon_->y() + icon_->height(), tw.toPxX(W), tw.toPxY(H));
        // A hidden window gets its resize event only when shown; the footer is laid
        // out now all the same.
        f.layOutFooter();
    }
}

void Popup::placeIcon(int x, int y)
{
    const QRect monitor = platform_.screen().monitorGeometryAt(QPoint(x, y));
    const int side = FloatingIcon::SizePx;
    icon_->move(std::clamp(x, monitor.left(), std::max(monitor.left(), monitor.left() + monitor.width() - side)),
                std::clamp(y, monitor.top(), std::max(monitor.top(), monitor.top() + monitor.height() - side)));
}

void Popup::offerIcon(int x, int y)
{
    FloatingIcon& icon = *icon_;
    ++iconChanges_;
    anchor_ = QPoint(x, y);
    if (state_.controlMode() == 1) {
        // Parked, hidden, with its centre under the release point: the next click
        // there opens the popup.
        icon.hide();
        placeIcon(x - FloatingIcon::SizePx / 2, y - FloatingIcon::SizePx / 2);
        return;
    }
    effects_.setTransparency(&icon, transparency());
    state_.iconAnchorX = x + 18;
    state_.iconAnchorY = y + 3;
    const QPoint pointer = platform_.input().cursorPos();
    state_.iconAnchorDistance =
        std::hypot(double(state_.iconAnchorX - pointer.x()), double(state_.iconAnchorY - pointer.y()));
    placeIcon(x + 10, y - 5);
    effects_.setTopmost(&icon, true, true, 0, 0);

    // Fractions of a second are kept; the timer takes at most its longest interval.
    if (const auto seconds = state_.settings.number("hideiconinterval"))
        timers_.iconRetire.setInterval(numbertext::clampedWhole(*seconds * 1000, 0, Timer::MaxInterval));
    timers_.iconRetire.setEnabled(true);
    icon.showOffer(true);
    // Where the pointer is not followed, the icon waits for its click or retires.
    timers_.iconLeave.setEnabled(platform_.input().followsPointer());
}

void Popup::openPopup(int x, int y)
{
    TranslationPopup& f = *window_;
    FloatingIcon& icon = *icon_;
    const Twips tw(state_);
    timers_.iconLeave.setEnabled(false);
    ++iconChanges_;
    effects_.setTransparency(&icon, transparency());
    timers_.iconRetire.setEnabled(false);
    icon.showOffer(false);
    if (x != 0 && y != 0) {
        placeIcon(x - FloatingIcon::SizePx / 2, y - FloatingIcon::SizePx / 2);
        anchor_ = QPoint(x, y);
    }

    const int W = tw.width(f);
    const int H = tw.height(f);
    f.resize(OpeningWidthPx, OpeningHeightPx);
    const QPoint placed = keepOnMonitor(popupLeftUnderIcon(W), tw.top(icon) + tw.height(icon), W, H);

    // Shown fully transparent first, so that nothing flashes at the opening size.
    effects_.setTransparency(&f, 255);
    effects_.setTopmost(&f, true, true, icon.x(), tw.toPxY(placed.y()));
    effects_.setTransparency(&f, transparency());
    effects_.setTopmost(&icon, true, true, 0, 0);
    glide_.glide(&f, W, H, placed.x());
}

void Popup::hidePopup()
{
    // A parked icon anchors nothing once the user clicked elsewhere.
    anchor_.reset();
    if (!icon_->isVisible() && !window_->isVisible())
        return;
    ++iconChanges_;
    shadow_->hide();
    timers_.iconRetire.setEnabled(false);
    timers_.iconLeave.setEnabled(false);
    icon_->hide();
    window_->serviceLink->hide();
    emit dismissed();
    if (window_->isVisible()) {
        // The popup stays at the last level; opening sets its level before it is seen.
        // A popup opened again while it fades is left to the opening.
        const int mine = iconChanges_;
        if (effects_.fade(window_.get(), PopupHideFrom, 255, PopupHideSteps, [&] { return iconChanges_ == mine; }))
            window_->hide();
    }
}

bool Popup::isPointerOver(const QWidget* window)
{
    if (!window)
        return false;
    const QRect area = window->frameGeometry();
    const QPoint pointer = platform_.input().cursorPos();
    return area.left() < pointer.x() && pointer.x() < area.left() + area.width() && area.top() < pointer.y() &&
           pointer.y() < area.top() + area.height();
}

bool Popup::isPointerOverPopupOrIcon()
{
    return (window_->isVisible() && isPointerOver(window_.get())) || (icon_->isVisible() && isPointerOver(icon_.get()));
}

void Popup::onIconPressed(int button)
{
    timers_.iconLeave.setEnabled(false);
    // The event names the logical button, btnSecondary the physical one.
    const bool swapped = state_.secondaryButton == 1;
    const int physical = swapped && (button == 1 || button == 2) ? 3 - button : button;
    if (physical == state_.secondaryButton) {
        emit translateOffRequested();
        hidePopup();
    } else {
        openPopup(0, 0);
    }
}

void Popup::onCloseMarkClicked()
{
    hidePopup();
}

void Popup::onIconRetireTick()
{
    Timer& timer = timers_.iconRetire;
    if (isPointerOver(icon_.get())) {
        // A full interval starts anew.
        timer.setEnabled(false);
        timer.setEnabled(true);
        return;
    }
    timer.setEnabled(false);
    // An icon clicked open, offered anew or hidden while it fades is not this fade's any more.
    const int mine = iconChanges_;
    if (effects_.fade(icon_.get(), IconHideFrom, 255, IconHideSteps, [&] { return iconChanges_ == mine; }))
        icon_->hide();
}

void Popup::onIconLeaveTick()
{
    const QPoint pointer = platform_.input().cursorPos();
    const double distance = std::hypot(double(state_.iconAnchorY - pointer.y()), double(state_.iconAnchorX - pointer.x()));
    if (distance > state_.iconAnchorDistance + LeaveDistancePx) {
        timers_.iconLeave.setEnabled(false);
        hidePopup();
    }
}

void Popup::onServiceLinkClicked()
{
    hidePopup();
    emit shellOpenRequested(state_.settings.value("googlelink"));
}

void Popup::onCopyLinkClicked()
{
    emit copyRequested(controlText(window_->textView, true));
    hidePopup();
}

void Popup::onDirectionLinkClicked()
{
    hidePopup();
    emit showMainRequested();
}

void Popup::onUpdateLinkClicked()
{
    emit downloadPageRequested();
}

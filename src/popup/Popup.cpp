#include "popup/Popup.h"

#include "common/LinkLabel.h"
#include "common/NumberText.h"
#include "common/WindowEffects.h"
#include "platform/Platform.h"
#include "popup/DrawnTrace.h"
#include "popup/EdgeCorrection.h"
#include "popup/FloatingIcon.h"
#include "popup/IconPicture.h"
#include "popup/ShadowWindow.h"
#include "popup/TextControl.h"
#include "popup/TranslationPopup.h"

#include <QTextEdit>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

namespace {
// The waiting marker that the dots then animate.
const QString WaitingMarker = QStringLiteral(".....");
constexpr int DotsMs = 200;
constexpr int IconLeaveMs = 50;
// Size the popup grows from when it opens, pixels.
constexpr int OpeningWidthPx = 16;
constexpr int OpeningHeightPx = 30;
// Wrap widths outside these are no use: the narrowest still shows a word or two.
constexpr int MinWrapWidthPx = 50;
// How far the pointer may move away from the icon beyond its first distance.
constexpr double LeaveDistancePx = 50;

constexpr int PopupHideFrom = 20, PopupHideSteps = 3;
constexpr int IconHideFrom = 100, IconHideSteps = 5;

int whole(double value)
{
    return numbertext::clampedWhole(value, -1000000000, 1000000000);
}
} // namespace

Popup::Popup(platform::Platform& platform)
    : platform_(platform)
    , shadow_(std::make_unique<ShadowWindow>())
    , icon_(std::make_unique<FloatingIcon>())
    , window_(std::make_unique<TranslationPopup>())
    , glide_(*shadow_)
    , iconRetire_(platform.clock())
    , iconLeave_(platform.clock())
    , dots_(platform.clock())
{
    // Where the window manager would put them elsewhere, they are placed unmanaged.
    if (!platform.screen().placesWindowsAsAsked())
        for (QWidget* window : std::initializer_list<QWidget*>{shadow_.get(), icon_.get(), window_.get()})
            window->setWindowFlag(Qt::X11BypassWindowManagerHint);
    iconLeave_.setInterval(IconLeaveMs);
    dots_.setInterval(DotsMs);
    connectHandlers();
}

Popup::~Popup() = default;

void Popup::connectHandlers()
{
    connect(icon_->offerPicture, &IconPicture::mouseDown, this, &Popup::onIconPressed);
    connect(icon_->closePicture, &IconPicture::clicked, this, &Popup::hidePopup);
    connect(window_->serviceLink, &LinkLabel::clicked, this, [this] {
        hidePopup();
        emit shellOpenRequested(settings_.serviceAddress);
    });
    connect(window_->copyLink, &LinkLabel::clicked, this, [this] {
        emit copyRequested(controlText(window_->textView, true));
        hidePopup();
    });
    connect(window_->directionLink, &LinkLabel::clicked, this, [this] {
        hidePopup();
        emit showMainRequested();
    });
    connect(window_->updateLink, &LinkLabel::clicked, this, &Popup::downloadPageRequested);
    connect(&iconRetire_, &Timer::timeout, this, &Popup::onIconRetireTick);
    connect(&iconLeave_, &Timer::timeout, this, &Popup::onIconLeaveTick);
    connect(&dots_, &Timer::timeout, this, &Popup::advanceWaitingDots);
}

void Popup::configure(const AppSettings& settings, TriggerMode trigger)
{
    settings_ = settings;
    trigger_ = trigger;
    window_->dress(settings.background, settings.text, settings.gray, settings.serviceCaption, settings.border);
    icon_->setBackground(settings.border ? settings.gray : settings.background);
    glide_.configure(settings.glideSteps, settings.shadow, platform_.screen().compositingAvailable());
    if (settings.iconRetireMs)
        iconRetire_.setInterval(*settings.iconRetireMs);
}

void Popup::setTrace(TraceFile& trace)
{
    if (!trace_)
        trace_ = new DrawnTrace(*window_->textView, trace);
}

QString Popup::shownText() const
{
    return controlText(window_->textView, false);
}

void Popup::advanceWaitingDots()
{
    const QString text = shownText();
    setControlText(window_->textView, text.size() == 5 ? QString() : text + ".", false);
}

void Popup::showResult(const QString& text)
{
    window_->serviceLink->setVisible(true);
    showText(text);
    if (trace_)
        trace_->arm();
}

void Popup::showMessage(const QString& text)
{
    showText(text);
}

void Popup::showWaiting()
{
    showText(WaitingMarker);
    dots_.setEnabled(true);
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
    const QPoint corner(left, top);
    const bool offMonitors = !platform_.screen().monitorGeometryAt(corner).contains(corner);
    const EdgePlacement placed = correctAtMonitorEdges(left, top, W, H, monitorPx(), offMonitors);
    if (placed.raised)
        icon_->move(icon_->x(), placed.top - icon_->height());
    return {placed.left, placed.top};
}

int Popup::popupLeftUnderIcon(int W)
{
    return std::max(icon_->x() + icon_->width() - W, selectionLeft_);
}

void Popup::showText(const QString& text)
{
    TranslationPopup& f = *window_;
    dots_.setEnabled(false);
    if (trace_)
        trace_->disarm();
    setControlText(f.textView, text, false);
    const double pointSize = settings_.fontPointSize;
    f.formatText(settings_.text, pointSize);

    // The popup never outgrows the monitor: the text control keeps inside it the
    // margins, the 5-pixel allowance and the footer row.
    const QRect monitor = monitorPx();
    const int footerPx = static_cast<int>(std::ceil(1.5 * f.serviceLink->height()));
    const QSize maxText(std::max(monitor.width() - 2 * TranslationPopup::TextLeftPx - 5, MinWrapWidthPx),
                        std::max(monitor.height() - 2 * TranslationPopup::TextTopPx - footerPx, 1));
    const int wrapWidth = std::clamp(whole(settings_.wrapWidthPx), MinWrapWidthPx, maxText.width());
    f.fitTextControl(text, pointSize, wrapWidth, maxText);
    const QSize size = f.sizeAroundText();

    if (f.isVisible()) {
        const QPoint placed = keepOnMonitor(popupLeftUnderIcon(size.width()), f.y(), size.width(), size.height());
        f.move(f.x(), placed.y());
        glide_.glide(&f, size.width(), size.height(), placed.x());
    } else {
        // Opening places it at the icon and glides it into place; the icon stays
        // where it was offered until then.
        f.setGeometry(icon_->x(), icon_->y() + icon_->height(), size.width(), size.height());
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

void Popup::stopFades()
{
    for (QVariantAnimation* fade : {popupFade_.data(), iconFade_.data()})
        if (fade)
            fade->stop();
}

void Popup::offerIcon(int x, int y, int selectionLeft)
{
    FloatingIcon& icon = *icon_;
    if (iconFade_)
        iconFade_->stop();
    selectionLeft_ = selectionLeft;
    anchor_ = QPoint(x, y);
    if (trigger_ == TriggerMode::ClickNearEnd) {
        // Parked, hidden, with its centre under the release point: the next click
        // there opens the popup.
        icon.hide();
        placeIcon(x - FloatingIcon::SizePx / 2, y - FloatingIcon::SizePx / 2);
        return;
    }
    effects::setTransparency(&icon, settings_.transparency);
    iconCentre_ = QPoint(x + 18, y + 3);
    const QPoint pointer = platform_.input().cursorPos();
    iconDistance_ = std::hypot(double(iconCentre_.x() - pointer.x()), double(iconCentre_.y() - pointer.y()));
    placeIcon(x + 10, y - 5);
    effects::setTopmost(&icon, true, true, 0, 0);
    iconRetire_.setEnabled(true);
    icon.showOffer(true);
    // Where the pointer is not followed, the icon waits for its click or retires.
    iconLeave_.setEnabled(platform_.input().followsPointer());
}

void Popup::openPopup(int x, int y)
{
    TranslationPopup& f = *window_;
    FloatingIcon& icon = *icon_;
    iconLeave_.setEnabled(false);
    stopFades();
    effects::setTransparency(&icon, settings_.transparency);
    iconRetire_.setEnabled(false);
    icon.showOffer(false);
    if (x != 0 && y != 0) {
        placeIcon(x - FloatingIcon::SizePx / 2, y - FloatingIcon::SizePx / 2);
        anchor_ = QPoint(x, y);
    }

    const int W = f.width();
    const int H = f.height();
    f.resize(OpeningWidthPx, OpeningHeightPx);
    const QPoint placed = keepOnMonitor(popupLeftUnderIcon(W), icon.y() + icon.height(), W, H);

    // Shown fully transparent first, so that nothing flashes at the opening size.
    // (Placed first: the topmost call takes a 0 for "keep where it is".)
    effects::setTransparency(&f, 255);
    f.move(icon.x(), placed.y());
    effects::setTopmost(&f, true, true, 0, 0);
    effects::setTransparency(&f, settings_.transparency);
    effects::setTopmost(&icon, true, true, 0, 0);
    glide_.glide(&f, W, H, placed.x());
}

void Popup::hidePopup()
{
    // A parked icon anchors nothing once the user clicked elsewhere.
    anchor_.reset();
    if (!icon_->isVisible() && !window_->isVisible())
        return;
    if (iconFade_)
        iconFade_->stop();
    shadow_->hide();
    iconRetire_.setEnabled(false);
    iconLeave_.setEnabled(false);
    dots_.setEnabled(false);
    icon_->hide();
    window_->serviceLink->hide();
    emit dismissed();
    const bool fading = popupFade_ && popupFade_->state() == QAbstractAnimation::Running;
    if (window_->isVisible() && !fading) {
        glide_.stop();
        // The popup stays at the last level; opening sets its level before it is seen.
        popupFade_ = effects::fade(window_.get(), PopupHideFrom, 255, PopupHideSteps, [this] { window_->hide(); });
    }
}

bool Popup::isPointerOver(const QWidget* window)
{
    const QRect area = window->frameGeometry();
    const QPoint pointer = platform_.input().cursorPos();
    return area.left() < pointer.x() && pointer.x() < area.left() + area.width() && area.top() < pointer.y() &&
           pointer.y() < area.top() + area.height();
}

bool Popup::isPointerOverPopupOrIcon()
{
    return (window_->isVisible() && isPointerOver(window_.get())) || (icon_->isVisible() && isPointerOver(icon_.get()));
}

void Popup::onIconPressed(Qt::MouseButton button)
{
    iconLeave_.setEnabled(false);
    // The user's secondary button, whichever physical one that is.
    if (button == Qt::RightButton) {
        emit translateOffRequested();
        hidePopup();
    } else {
        openPopup(0, 0);
    }
}

void Popup::onIconRetireTick()
{
    if (isPointerOver(icon_.get())) {
        // A full interval starts anew.
        iconRetire_.restart();
        return;
    }
    iconRetire_.setEnabled(false);
    iconFade_ = effects::fade(icon_.get(), IconHideFrom, 255, IconHideSteps, [this] { icon_->hide(); });
}

void Popup::onIconLeaveTick()
{
    const QPoint pointer = platform_.input().cursorPos();
    const double distance = std::hypot(double(iconCentre_.y() - pointer.y()), double(iconCentre_.x() - pointer.x()));
    if (distance > iconDistance_ + LeaveDistancePx) {
        iconLeave_.setEnabled(false);
        hidePopup();
    }
}

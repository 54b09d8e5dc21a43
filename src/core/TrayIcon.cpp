#include "core/TrayIcon.h"

#include "common/AppState.h"
#include "core/TrayMenu.h"
#include "platform/Clock.h"

#include <QCursor>
#include <QMenu>

namespace {
// How long an update balloon stays up unless clicked or closed.
constexpr int BalloonMs = 10000;
} // namespace

TrayIcon::TrayIcon(AppState& state, platform::Clock& clock, TrayMenu& menu)
    : state_(state), clock_(clock), menu_(menu)
{
    popupMenu = [](QMenu* menu, const QPoint& at) { menu->exec(at); };
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { handleMouseMessage(messageFor(reason)); });
    connect(&icon_, &QSystemTrayIcon::messageClicked, this, [this] { handleMouseMessage(BalloonUserClick); });
}

TrayIcon::~TrayIcon() = default;

QString TrayIcon::tipText(bool connected)
{
    return connected ? QStringLiteral("Quillora ") : QStringLiteral("Quillora  - Connecting...");
}

QString TrayIcon::fullTip() const
{
    return state_.connected || problem_.isEmpty() ? tipText(state_.connected)
                                                  : tipText(false) + "\n" + problem_;
}

void TrayIcon::showProblem(const QString& problem)
{
    problem_ = problem;
    icon_.setToolTip(fullTip());
}

QString TrayIcon::toolTip() const
{
    return icon_.toolTip();
}

bool TrayIcon::isShown() const
{
    return icon_.isVisible();
}

QRect TrayIcon::geometry() const
{
    return icon_.geometry();
}

int TrayIcon::messageFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return LeftButtonDown;
    case QSystemTrayIcon::DoubleClick:
        return LeftButtonDoubleClick;
    case QSystemTrayIcon::Context:
        return RightButtonUp;
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
    return 0;
}

void TrayIcon::refresh(bool show, bool added)
{
    if (!show) {
        icon_.hide();
        return;
    }
    if (!state_.connected)
        picture_ = TrayPicture::NotConnected;
    else
        picture_ = state_.translationEnabled ? TrayPicture::Enabled : TrayPicture::Disabled;
    icon_.setIcon(trayPictureIcon(picture_));
    icon_.setToolTip(fullTip());
    if (!added)
        icon_.show();
}

void TrayIcon::showBalloon(const QString& text, bool isError, bool isWarning, const QString& action)
{
    state_.balloonAction = action;
    const qsizetype split = text.indexOf("\r\n");
    const QString title = split < 0 ? text : text.left(split);
    const QString body = split < 0 ? QString() : text.mid(split + 2);
    const auto kind = isError ? QSystemTrayIcon::Critical
                      : isWarning ? QSystemTrayIcon::Warning
                                  : QSystemTrayIcon::Information;
    icon_.showMessage(title, body, kind, BalloonMs);
    emit balloonShown(title, body, kind);
}

void TrayIcon::handleMouseMessage(int message)
{
    // A message that arrives while one is handled (the menu is open) is dropped.
    if (busy_)
        return;
    busy_ = true;
    switch (message) {
    case RightButtonUp:
        if (menu_.isVisible()) {
            menu_.hide();
            break;
        }
        menu_.setDefaultAction(menu_.toggleItem);
        popupMenu(&menu_, QCursor::pos());
        break;
    case LeftButtonDown:
        leftButtonDown();
        break;
    case LeftButtonDoubleClick:
        emit mainWindowRequested();
        break;
    case BalloonUserClick:
        onBalloonClicked();
        break;
    default:
        break;
    }
    busy_ = false;
}

void TrayIcon::leftButtonDown()
{
    const double now = clock_.secondsSinceMidnight();
    // After midnight the recorded time lies ahead: that press counts as long ago.
    const bool single = now - lastSingleClick_ >= DoubleClickSeconds || lastSingleClick_ >= now;
    if (!single) {
        emit mainWindowRequested();
        return;
    }
    if (state_.pageAvailable())
        emit translateToggleRequested();
    lastSingleClick_ = now;
}

QString TrayIcon::updateBalloonText(const QString& version)
{
    return "New version " + version + "\r\nA new Quillora Version is available.\r\n Click here to download.";
}

void TrayIcon::showUpdateBalloon(const QString& version)
{
    showBalloon(updateBalloonText(version), false, false, "download");
}

void TrayIcon::onBalloonClicked()
{
    if (state_.balloonAction == "download")
        openDownloadPage();
}

void TrayIcon::openDownloadPage()
{
    emit hidePopupRequested();
    emit openUrlRequested(state_.downloadUrl);
}

#include "core/TrayIcon.h"

#include "core/TrayMenu.h"
#include "platform/Clock.h"

#include <QCursor>
#include <QMenu>

namespace {
// How long an update balloon stays up unless clicked or closed.
constexpr int BalloonMs = 10000;
} // namespace

TrayIcon::TrayIcon(platform::Clock& clock, TrayMenu& menu, std::function<Facts()> facts)
    : clock_(clock), menu_(menu), facts_(std::move(facts))
{
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::activate);
    connect(&icon_, &QSystemTrayIcon::messageClicked, this, &TrayIcon::onBalloonClicked);
}

TrayIcon::~TrayIcon() = default;

QString TrayIcon::tipText(bool connected)
{
    return connected ? QStringLiteral("Quillora ") : QStringLiteral("Quillora  - Connecting...");
}

QString TrayIcon::fullTip(bool connected) const
{
    return connected || problem_.isEmpty() ? tipText(connected) : tipText(false) + "\n" + problem_;
}

void TrayIcon::showProblem(const QString& problem)
{
    problem_ = problem;
    icon_.setToolTip(fullTip(facts_().connected));
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

void TrayIcon::refresh(bool show, bool added)
{
    if (!show) {
        icon_.hide();
        return;
    }
    const Facts facts = facts_();
    if (!facts.connected)
        picture_ = TrayPicture::NotConnected;
    else
        picture_ = facts.translationEnabled ? TrayPicture::Enabled : TrayPicture::Disabled;
    icon_.setIcon(trayPictureIcon(picture_));
    icon_.setToolTip(fullTip(facts.connected));
    if (!added)
        icon_.show();
}

void TrayIcon::showBalloon(const QString& text, bool isError, bool isWarning, const QString& action)
{
    balloonAction_ = action;
    const qsizetype split = text.indexOf("\r\n");
    const QString title = split < 0 ? text : text.left(split);
    const QString body = split < 0 ? QString() : text.mid(split + 2);
    const auto kind = isError ? QSystemTrayIcon::Critical
                      : isWarning ? QSystemTrayIcon::Warning
                                  : QSystemTrayIcon::Information;
    icon_.showMessage(title, body, kind, BalloonMs);
    emit balloonShown(title, body, kind);
}

void TrayIcon::activate(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        if (menu_.isVisible()) {
            menu_.hide();
            break;
        }
        menu_.setDefaultAction(menu_.toggleItem);
        menu_.popup(QCursor::pos());
        break;
    case QSystemTrayIcon::Trigger:
        leftButtonDown();
        break;
    case QSystemTrayIcon::DoubleClick:
        emit mainWindowRequested();
        break;
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
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
    if (facts_().pageAvailable)
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
    if (balloonAction_ == "download")
        openDownloadPage();
}

void TrayIcon::openDownloadPage()
{
    emit hidePopupRequested();
    emit openUrlRequested(facts_().downloadUrl);
}

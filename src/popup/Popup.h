#pragma once
// The popup presentation: the translation popup, the floating "G" icon and the
// shadow window, with the rules that fill, place, open and dismiss them.

#include "common/AppSettings.h"
#include "common/Timer.h"
#include "popup/PopupGlide.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class DrawnTrace;
class FloatingIcon;
class QVariantAnimation;
class ShadowWindow;
class TraceFile;
class TranslationPopup;
namespace platform {
class Platform;
}

class Popup : public QObject {
    Q_OBJECT
public:
    // Loads the three windows hidden.
    explicit Popup(platform::Platform& platform);
    ~Popup() override;

    TranslationPopup& translationWindow() { return *window_; }
    FloatingIcon& icon() { return *icon_; }
    ShadowWindow& shadow() { return *shadow_; }

    // The look and the timings of the applied settings; trigger: the trigger mode as
    // it works on this desktop.
    void configure(const AppSettings& settings, TriggerMode trigger);
    // Where the moments a translation reaches the screen are written, when measured.
    void setTrace(TraceFile& trace);

    // The popup's text as shown.
    QString shownText() const;

    // A translation, with the footer's link to the translation service.
    void showResult(const QString& text);
    // A message instead of a translation.
    void showMessage(const QString& text);
    // The waiting marker, whose dots count up until another text replaces them.
    void showWaiting();
    // The direction link's caption.
    void showDirection(const QString& direction);
    // The footer's "New v" link, offering a newer published version.
    void showUpdateOffer(const QString& version);

    // Offers the icon beside a selection that ended at (x, y) and began at
    // selectionLeft. Where a click near the end opens the popup, it is parked hidden
    // under the release point instead, for that click.
    void offerIcon(int x, int y, int selectionLeft);
    // Opens the popup at the icon; (x, y) the pointer in pixels, or 0, 0 to leave the
    // icon where it is.
    void openPopup(int x, int y);
    // Hides shadow, icon and popup; nothing when neither the popup nor the icon is
    // shown. Then tells dismissed().
    void hidePopup();
    // The pointer lies over the shown popup or the shown icon.
    bool isPointerOverPopupOrIcon();

    // Running: the icon waits for its click or retires, and the waiting dots count.
    bool iconRetireRunning() const { return iconRetire_.isRunning(); }
    bool iconLeaveRunning() const { return iconLeave_.isRunning(); }

signals:
    // The copy link: put the text on the clipboard.
    void copyRequested(const QString& text);
    // The service link: open the address with the desktop.
    void shellOpenRequested(const QString& address);
    // The direction link: bring the main window with the service page forward.
    void showMainRequested();
    // The new-version link: open the download page.
    void downloadPageRequested();
    // The secondary button on the icon: translation off for the current application,
    // and that choice stored.
    void translateOffRequested();
    // The popup or the icon was closed: what it waited for will not be shown.
    void dismissed();

private:
    void connectHandlers();
    void showText(const QString& text);
    QRect monitorPx();
    bool isPointerOver(const QWidget* window);
    // Corrects (left, top) at the right and bottom edges of the popup's monitor; moves
    // the icon above a raised popup.
    QPoint keepOnMonitor(int left, int top, int W, int H);
    int popupLeftUnderIcon(int W);
    // Puts the icon's window at (x, y), kept on the monitor that holds that point.
    void placeIcon(int x, int y);
    void stopFades();
    void onIconPressed(Qt::MouseButton button);
    void onIconRetireTick();
    void onIconLeaveTick();
    void advanceWaitingDots();

    platform::Platform& platform_;
    std::unique_ptr<ShadowWindow> shadow_;
    std::unique_ptr<FloatingIcon> icon_;
    std::unique_ptr<TranslationPopup> window_;
    PopupGlide glide_;
    DrawnTrace* trace_ = nullptr; // owned by the text control

    AppSettings settings_;
    TriggerMode trigger_ = TriggerMode::ClickIcon;
    // Where the icon stands for the newest selection (offered, parked or opened), which
    // the popup's place and size follow wherever the pointer has gone since; nothing
    // once dismissed.
    std::optional<QPoint> anchor_;
    int selectionLeft_ = 0;
    // The icon's centre and the pointer's distance from it when it was offered.
    QPoint iconCentre_;
    double iconDistance_ = 0;

    Timer iconRetire_; // fades out an icon nobody used
    Timer iconLeave_;  // 50 ms: hides the icon when the pointer moves away
    Timer dots_;       // 200 ms: the waiting dots
    QPointer<QVariantAnimation> popupFade_;
    QPointer<QVariantAnimation> iconFade_;
};

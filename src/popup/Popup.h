#pragma once
// The popup presentation: the translation popup, the floating "G" icon and the
// shadow window, with the rules that fill, place, open and dismiss them.

#include "common/WindowEffects.h"
#include "popup/PopupGlide.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

struct AppState;
struct ProgramTimers;
class ShadowWindow;
class TranslationPopup;
class FloatingIcon;
namespace platform {
class Platform;
}

class Popup : public QObject {
    Q_OBJECT
public:
    // Loads the three windows hidden and handles the icon's retire and leave timers
    // and the waiting dots.
    Popup(AppState& state, platform::Platform& platform, ProgramTimers& timers);
    ~Popup() override;

    TranslationPopup& translationWindow() { return *window_; }
    FloatingIcon& icon() { return *icon_; }
    ShadowWindow& shadow() { return *shadow_; }
    WindowEffects& effects() { return effects_; }
    PopupGlide& glide() { return glide_; }

    // The popup's text, read whole or replaced whole.
    QString shownText() const;
    void setShownText(const QString& text);
    // One step of the waiting dots: five dots become none, else one more.
    void advanceWaitingDots();

    // Colours, the service link's caption and the border from the applied settings.
    void dress();
    // The footer's link to the translation service, shown with a result.
    void showServiceLink();
    // The direction link's caption.
    void showDirection(const QString& direction);
    // The footer's "New v" link, offering a newer published version.
    void showUpdateOffer(const QString& version);

    // Puts the text into the popup and sizes and places it; a shown popup glides to
    // the new size, a hidden one stays hidden at the icon.
    void showTranslation(const QString& text);
    // Offers the icon beside a selection that ended at (x, y). With ControlMode 1 it
    // is parked hidden under the release point instead, for the click that opens.
    void offerIcon(int x, int y);
    // Opens the popup at the icon; (x, y) the pointer in pixels, or 0, 0 to leave the
    // icon where it is.
    void openPopup(int x, int y);
    // Hides shadow, icon and popup; nothing when neither the popup nor the icon is
    // shown. Then tells dismissed().
    void hidePopup();
    // The pointer lies strictly inside the window's rectangle.
    bool isPointerOver(const QWidget* window);
    // The pointer lies over the shown popup or the shown icon.
    bool isPointerOverPopupOrIcon();

    void onIconPressed(int button);
    void onCloseMarkClicked();
    void onIconRetireTick();
    void onIconLeaveTick();
    void onServiceLinkClicked();
    void onCopyLinkClicked();
    void onDirectionLinkClicked();
    void onUpdateLinkClicked();

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
    int transparency();
    double fontSize();
    QRect monitorPx();
    // Corrects (left, top) in twips at the right and bottom edges of the monitor
    // under the pointer; moves the icon above a raised popup.
    QPoint keepOnMonitor(int left, int top, int W, int H);
    int popupLeftUnderIcon(int W);
    // Puts the icon's window at (x, y), kept on the monitor that holds that point.
    void placeIcon(int x, int y);

    AppState& state_;
    platform::Platform& platform_;
    ProgramTimers& timers_;
    std::unique_ptr<ShadowWindow> shadow_;
    std::unique_ptr<FloatingIcon> icon_;
    std::unique_ptr<TranslationPopup> window_;
    WindowEffects effects_;
    PopupGlide glide_;
    // Where the icon stands for the newest selection (offered, parked or opened), which
    // the popup's place and size follow wherever the pointer has gone since; nothing
    // once dismissed.
    std::optional<QPoint> anchor_;
    // Counts what happens to the icon (offered, opened, hidden), so that a fade that let
    // events run can tell the icon was taken over meanwhile.
    int iconChanges_ = 0;
};

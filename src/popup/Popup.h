#pragma once
// The popup presentation: the translation popup, the floating icon and the shadow
// window, with the rules that fill, place, open and dismiss them.

#include "popup/WindowEffects.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <memory>

struct AppState;
class MainWindow;
class ShadowWindow;
class TranslationPopup;
class FloatingIcon;
namespace platform {
class Platform;
}

class Popup : public QObject {
    Q_OBJECT
public:
    // Loads the three windows hidden and takes over MainWindow's iconRetire and iconLeave.
    Popup(AppState& state, platform::Platform& platform, MainWindow& main);
    ~Popup() override;

    TranslationPopup& translationWindow() { return *window_; }
    FloatingIcon& icon() { return *icon_; }
    ShadowWindow& shadow() { return *shadow_; }
    WindowEffects& effects() { return effects_; }

    // The text of textView, read whole or replaced whole (the progress dots use it).
    QString shownText() const;
    void setShownText(const QString& text);

    // Colours, the service link's caption and the border from the applied settings.
    void dress();

    // Puts the text into the popup and sizes and places it; a shown popup glides to
    // the new size, a hidden one stays hidden at the icon.
    void showTranslation(const QString& text);
    // Opens the popup at the icon; (x, y) the pointer in pixels, or 0, 0 to leave the
    // icon where it is.
    void openPopup(int x, int y);
    // Hides shadow, icon and popup and stops result polling; nothing when the icon is
    // already hidden.
    void hidePopup();
    // The pointer lies strictly inside the window's rectangle.
    bool isPointerOver(const QWidget* window);

    void onIconPressed(int button);
    void onCloseMarkClicked();
    void onIconRetireTick();
    void onIconLeaveTick();
    void onServiceLinkClicked();
    void onCopyLinkClicked();
    void onDirectionLinkClicked();
    void onUpdateLinkClicked();

signals:
    // The copy link: put the text on the clipboard (putClipboardText).
    void copyRequested(const QString& text);
    // The service link: open the address with the shell (shellOpen).
    void shellOpenRequested(const QString& address);
    // The direction link: bring the main window with the service page forward (showWithPage).
    void showMainRequested();
    // The new-version link: open the download page (openDownloadPage).
    void downloadPageRequested();
    // The secondary button on the icon: translation off for the current application,
    // and that choice stored (setTranslationEnabled(false, true)).
    void translateOffRequested();

private:
    void connectHandlers();
    int transparency();
    double fontSize();
    QRect monitorPx();
    // Corrects (left, top) in twips at the right and bottom edges of the monitor
    // under the pointer; moves the icon above a raised popup.
    QPoint keepOnMonitor(int left, int top, int W, int H);
    int popupLeftUnderIcon(int W);

    AppState& state_;
    platform::Platform& platform_;
    MainWindow& mainWindow_;
    std::unique_ptr<ShadowWindow> shadow_;
    std::unique_ptr<FloatingIcon> icon_;
    std::unique_ptr<TranslationPopup> window_;
    WindowEffects effects_;
};

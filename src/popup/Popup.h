#pragma once
// The popup presentation: the translation popup, the floating icon and the shadow
// window, with the rules that fill, place, open and dismiss them.

#include "popup/WindowEffects.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <memory>

struct AppState;
class frmMain;
class frmShad;
class frmTrans;
class frmico;
namespace platform {
class api;
}

class Popup : public QObject {
    Q_OBJECT
public:
    // Loads the three windows hidden and takes over frmMain's tmrHideIco and tmrOut.
    Popup(AppState& state, platform::api& platform, frmMain& main);
    ~Popup() override;

    frmTrans& trans() { return *frmTrans_; }
    frmico& icon() { return *frmico_; }
    frmShad& shadow() { return *frmShad_; }
    WindowEffects& effects() { return effects_; }

    // The text of lblText, read whole or replaced whole (the progress dots use it).
    QString lblTextValue() const;
    void setLblText(const QString& text);

    // Colours, the service link's caption and the border from the applied settings.
    void dress();

    // Puts the text into the popup and sizes and places it; a shown popup glides to
    // the new size, a hidden one stays hidden at the icon.
    void ShowTranslation(const QString& text);
    // Opens the popup at the icon; (x, y) the pointer in pixels, or 0, 0 to leave the
    // icon where it is.
    void OpenPopup(int x, int y);
    // Hides shadow, icon and popup and stops result polling; nothing when the icon is
    // already hidden.
    void HidePopup();
    // The pointer lies strictly inside the window's rectangle.
    bool IsCursorOverWindow(const QWidget* window);

    void ico_MouseDown(int button);
    void icocls_Click();
    void tmrHideIco_Timer();
    void tmrOut_Timer();
    void google_Click();
    void lblCopy_Click();
    void lbldir_Click();
    void lblNew_Click();

signals:
    // The copy link: put the text on the clipboard (PutClipboardText).
    void copyRequested(const QString& text);
    // The service link: open the address with the shell (ShellOpen).
    void shellOpenRequested(const QString& address);
    // The direction link: bring the main window with the service page forward (ShowMe).
    void showMainRequested();
    // The new-version link: open the download page (OpenDownloadPage).
    void downloadPageRequested();
    // The secondary button on the icon: translation off for the current application,
    // and that choice stored (SetTranslateEnabled(false, true)).
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
    platform::api& platform_;
    frmMain& frmMain_;
    std::unique_ptr<frmShad> frmShad_;
    std::unique_ptr<frmico> frmico_;
    std::unique_ptr<frmTrans> frmTrans_;
    WindowEffects effects_;
};

#pragma once
#include <QDBusConnection>
#include <QObject>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>

class QDBusServiceWatcher;

namespace platform::gnome {

// The program's GNOME Shell extension (extension/service.js) as the session bus offers
// it: what only the Shell sees in a Wayland session. Calls wait a bounded time; a Shell
// without the extension, or one that does not answer, gives nothing.
class ShellExtensionBus : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Service = "org.quillora.Shell";
    static constexpr const char* Path = "/org/quillora/Shell";
    static constexpr const char* Interface = "org.quillora.Shell";
    // The Shell answers these from its own state.
    static constexpr int CallLimitMs = 250;
    // The selection's text comes from its owner, which may be slow.
    static constexpr int TextLimitMs = 1000;

    // The extension's button bits.
    static constexpr std::uint32_t Left = 1, Right = 2, Middle = 4, Shift = 8;

    struct Pointer {
        QPoint position;
        std::uint32_t buttons = 0;
    };
    // One press or release, where the pointer was.
    struct ButtonEdge {
        QPoint position;
        std::uint32_t button = 0; // one of Left, Right, Middle
        bool pressed = false;
    };
    struct FocusedWindow {
        std::uint64_t id = 0; // 0: no window has the focus
        std::uint32_t pid = 0;
        QString appId;
        bool x11 = false; // an XWayland window
    };

    // The extension runs in this session's Shell.
    static bool isPresent(const QDBusConnection& bus);

    explicit ShellExtensionBus(const QDBusConnection& bus);

    std::optional<Pointer> pointer();
    std::optional<QString> primaryText();
    std::optional<FocusedWindow> focusedWindow();
    // While on, buttonEvent() reports each press and release (the buttons held when it
    // is switched on come as presses at once), also after the extension comes back (the
    // Shell restarted, or it was enabled again).
    void watchButtons(bool on);

signals:
    void primaryChanged(bool selected);
    void focusChanged();
    void buttonEvent(const ShellExtensionBus::ButtonEdge& edge);
    // The extension came (back) or went.
    void presenceChanged(bool present);

private slots:
    void onButtonEvent(int x, int y, uint button, bool pressed);

private:
    void askToWatchButtons(bool on);

    QDBusConnection bus_;
    QDBusServiceWatcher* presence_ = nullptr;
    bool watchingButtons_ = false;
};

} // namespace platform::gnome

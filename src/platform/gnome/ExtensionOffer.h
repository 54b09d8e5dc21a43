#pragma once
#include <QObject>
#include <QString>
#include <cstdint>

namespace platform {
class Platform;
}

namespace platform::gnome {

// Where the Shell does not run the program's extension: says on stderr how to enable it
// and, the first time the program runs in a GNOME session with the extension installed,
// offers to enable it in a desktop notification with an "Enable" button. The answer is
// kept in the per-user store, so the offer is made once.
class ExtensionOffer : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Uuid = "quillora@quillora.org";
    static constexpr const char* StoreSection = "GnomeShell";
    static constexpr const char* StoreKey = "ExtensionOffer";
    static constexpr int EnableLimitMs = 5000;

    // Once the event loop runs (not in a run that only passes a command to the running
    // instance). platform must outlive the event loop; parent owns the offer.
    static void startWhenRunning(Platform& platform, QObject* parent);

private slots:
    void onActionInvoked(uint id, const QString& action);

private:
    ExtensionOffer(Platform& platform, QObject* parent);
    void run();
    void enable();
    // At once, where the Shell has found the extension.
    static bool enableInShell();
    // From the next login on, where it has not yet.
    static bool enableInSettings();
    // The Shell has found the extension's folder (it looks only when it starts).
    static bool shellKnowsExtension();
    static bool isInstalled();
    QString storeApplication() const;

    Platform& platform_;
    std::uint32_t notification_ = 0;
};

} // namespace platform::gnome

#pragma once
// Turns a finished selection into a translation: checks that it ended well inside the
// foreground window, has the selected text copied, answers from the cache or sends the
// text to the service page, offers the floating icon, and collects the page's answer
// (or gives up on it after the time-out). Only the newest request is ever answered.

#include "common/AppSettings.h"
#include "common/Timer.h"
#include "platform/WindowHandle.h"
#include "service/TranslationCache.h"
#include "service/TranslationView.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class Connection;
class ServicePage;
class TraceFile;
namespace platform {
class Platform;
}

class TranslationRequest : public QObject {
    Q_OBJECT
public:
    // Copies the text selected in a window and hands it over (empty when there was none).
    using Capture = std::function<void(WindowHandle window, std::function<void(const QString& text)> done)>;
    // Told whether a finished selection led to a request (a text was captured).
    using Handled = std::function<void(bool handled)>;

    TranslationRequest(platform::Platform& platform, ServicePage& page, Connection& connection, Capture capture,
                       TranslationView view);

    // The texts, the time-out and the icon rule of the applied settings; the cache
    // starts empty.
    void configure(const AppSettings& settings);
    // Where the moments of a translation are written, when measured from outside.
    void setTrace(TraceFile* trace) { trace_ = trace; }

    // x, y: the pointer at the release; selectionLeft: the left end of the dragged
    // span (all screen pixels). A selection finished while the last is still being
    // captured waits for that capture.
    void translateSelection(int x, int y, int selectionLeft, Handled handled);
    // Text the user asked for by hand, translated for a popup at x, y; false when it is
    // blank.
    bool translateText(const QString& text, int x, int y);

    // The point lies inside the window less 20 pixels at the left, right and bottom,
    // and below its title bar: inside the content the window manager tells of, or
    // else 30 pixels below the window's top.
    bool isPointInWindowBody(WindowHandle window, int x, int y);

    // A translation is awaited (from the page, or from the resting page once it is back).
    bool isAwaiting() const;
    // Stops what the last request waits for: its answer will not be shown. For a
    // popup dismissed while it waited.
    void endPending();

    // The page reported a change: an awaited answer is looked for now.
    void onPageChanged();
    // The page may be ready again (after its rest, or loaded anew): the request that
    // waited for it goes out.
    void onPageBack();
    // The page died: an awaited answer ends as one that took too long.
    void onPageLost();

    // The newest request's text, and the translations of this run.
    QString newestText() const { return newestText_; }
    const TranslationCache& cache() const { return cache_; }

private:
    struct Selection {
        int x = 0, y = 0, selectionLeft = 0;
        Handled handled;
    };
    void capture(const Selection& selection);
    bool handleText(const QString& captured, const Selection& selection);
    void startPageRequest(const QString& text);
    void sendToPage(const QString& text);
    void showWaiting();
    void pollResult();
    void timeOut();

    platform::Platform& platform_;
    ServicePage& page_;
    Connection& connection_;
    Capture capture_;
    TranslationView view_;
    TraceFile* trace_ = nullptr;

    QString notConnectedText_;
    QString timeoutText_;
    bool iconWhenNotConnected_ = true;

    TranslationCache cache_;
    QString newestText_;
    // The newest text waits for the resting page to come back.
    bool awaitsPage_ = false;
    bool capturing_ = false;
    // The selection finished while the last one was being captured.
    std::optional<Selection> next_;
    Timer resultPoll_; // 100 ms while a translation is awaited
    Timer timeout_;    // gives up on an awaited translation
};

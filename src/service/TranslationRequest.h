#pragma once
// Turns a finished selection into a translation: checks that it ended well inside the
// foreground window, copies the selected text, answers from the cache or sends the
// text to the service page, and offers the floating icon.

#include "common/AppState.h"
#include "service/TranslationView.h"

#include <QString>
#include <functional>

struct ProgramTimers;
class ServicePage;
namespace platform {
class Platform;
}

class TranslationRequest {
public:
    // copySelectedText: the selected text of a window, or empty.
    TranslationRequest(AppState& state, platform::Platform& platform, ProgramTimers& timers, ServicePage& page,
                       std::function<QString(WindowHandle)> copySelectedText, TranslationView view);

    // x, y: the pointer at the release; selectionLeft: the left end of the dragged
    // span (all screen pixels). True when a non-empty text was captured and handled.
    bool translateSelection(int x, int y, int selectionLeft);

    // The point lies inside the window less 20 pixels at the left, right and bottom,
    // and below its title bar: inside the content the window manager tells of, or
    // else 30 pixels below the window's top.
    bool isPointInWindowBody(WindowHandle window, int x, int y);

    // Who loads the resting page again when a request wants it.
    void setPageWaker(std::function<void()> wake) { wakePage_ = std::move(wake); }
    // Sends the request that waited for the resting page, once the page is ready.
    void sendAwaitedRequest();
    // Stops what the last request waits for (its result poll, waiting dots, time-out,
    // or the resting page): its answer will not be shown. For a new request and for a
    // popup dismissed while it waited.
    void endPending();

private:
    void startPageRequest(const QString& text);
    void sendToPage(const QString& text);
    void showWaiting();

    AppState& state_;
    platform::Platform& platform_;
    ProgramTimers& timers_;
    ServicePage& page_;
    std::function<QString(WindowHandle)> copySelectedText_;
    TranslationView view_;
    std::function<void()> wakePage_;
};

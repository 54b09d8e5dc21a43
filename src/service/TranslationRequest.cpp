#include "service/TranslationRequest.h"

#include "common/ProgramTimers.h"
#include "common/TextCacheKey.h"
#include "common/TraceFile.h"
#include "platform/Platform.h"
#include "service/ServicePage.h"

namespace {
// The waiting marker that the progress dots then animate.
const QString WaitingMarker = QStringLiteral(".....");
constexpr int PollIntervalMs = 100;

QString trimBlanks(const QString& text)
{
    // Only U+0020 is trimmed: tabs and line breaks around a selection are kept.
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}
} // namespace

TranslationRequest::TranslationRequest(AppState& state, platform::Platform& platform, ProgramTimers& timers,
                                       ServicePage& page, std::function<QString(WindowHandle)> copySelectedText,
                                       TranslationView view)
    : state_(state)
    , platform_(platform)
    , timers_(timers)
    , page_(page)
    , copySelectedText_(std::move(copySelectedText))
    , view_(std::move(view))
{
}

bool TranslationRequest::isPointInWindowBody(WindowHandle window, int x, int y)
{
    // Where the window manager tells where its title bar ends, that is the top.
    if (const auto content = platform_.windows().contentRect(window))
        return content->contains(x, y);
    const auto rect = platform_.windows().windowRect(window);
    if (!rect) {
        // Where no window's place is told, only a real selection gets here (it was
        // seen as one), never a click on a title bar.
        return !platform_.windows().reportsGeometry();
    }
    // Right and bottom are the exclusive edges, as the desktop reports rectangles.
    const int left = rect->left(), top = rect->top();
    const int right = rect->left() + rect->width(), bottom = rect->top() + rect->height();
    return x >= left + 20 && x <= right - 20 && y >= top + 30 && y <= bottom - 20;
}

bool TranslationRequest::translateSelection(int x, int y, int selectionLeft)
{
    if (state_.trace)
        state_.trace->write("selection-noticed", x);
    state_.selectionLeftTwips = selectionLeft * state_.twipsPerPixelX;
    const WindowHandle foreground = platform_.windows().foregroundWindow();
    if (!isPointInWindowBody(foreground, x, y))
        return false;

    const QString text = trimBlanks(copySelectedText_(foreground));
    if (text.isEmpty())
        return false;
    state_.lastRequestText = text;
    state_.requestAwaitsPage = false;
    if (state_.trace)
        state_.trace->write("text-captured", text.size());

    const QString cached = state_.translationCache.value(textCacheKey(text));
    if (!cached.isEmpty()) {
        view_.showServiceLink();
        view_.showTranslation(cached);
    } else if (state_.pageReady) {
        startPageRequest(text);
    } else if (state_.pageResting) {
        // The popup waits as for any request; the text goes out once the page is back.
        showWaiting();
        state_.requestAwaitsPage = true;
        if (wakePage_)
            wakePage_();
    } else {
        view_.showTranslation(state_.settings.value("NotConnectedStr"));
    }

    // An unusable PopupIfNotConnected lets the icon be offered.
    const auto popupIfNotConnected = state_.settings.number("PopupIfNotConnected");
    if (!cached.isEmpty() || state_.pageAvailable() || !popupIfNotConnected || *popupIfNotConnected != 0)
        view_.offerIcon(x, y);
    return true;
}

void TranslationRequest::showWaiting()
{
    view_.showTranslation(WaitingMarker);
    timers_.progressDots.setEnabled(true);
    timers_.translationTimeout.setEnabled(true);
}

void TranslationRequest::sendAwaitedRequest()
{
    if (!state_.requestAwaitsPage || !state_.pageReady)
        return;
    state_.requestAwaitsPage = false;
    // The time-out keeps running from the selection.
    startPageRequest(state_.lastRequestText);
}

void TranslationRequest::startPageRequest(const QString& text)
{
    // The popup holds the waiting marker and the time-out runs before the page is
    // touched; polling starts only after the click.
    showWaiting();
    page_.setValue(page::text, text);
    page_.click(page::btn);
    if (state_.trace)
        state_.trace->write("request-sent", text.size());
    timers_.resultPoll.setInterval(PollIntervalMs);
    timers_.resultPoll.setEnabled(true);
}

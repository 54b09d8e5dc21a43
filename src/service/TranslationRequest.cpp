#include "service/TranslationRequest.h"

#include "common/ProgramTimers.h"
#include "common/TraceFile.h"
#include "platform/Platform.h"
#include "service/ServicePage.h"

#include <algorithm>

namespace {
// The waiting marker that the progress dots then animate.
const QString WaitingMarker = QStringLiteral(".....");
constexpr int PollIntervalMs = 100;
// Releases this close to a window's left, right and bottom edges (pixels) are drags of
// its scroll bars and edges; without the window manager's word, the top 30 pixels are
// its title bar.
constexpr int EdgeMarginPx = 20;
constexpr int TitleBarPx = 30;

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

// Tabs, line breaks and other white space alone have nothing to translate.
bool isBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
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
    // Where the window manager tells where its title bar ends, that is the top; the
    // other edges keep their margins, where scroll bars and window edges are dragged.
    if (const auto content = platform_.windows().contentRect(window))
        return x >= content->left() + EdgeMarginPx && x <= content->left() + content->width() - EdgeMarginPx &&
               y >= content->top() && y <= content->top() + content->height() - EdgeMarginPx;
    const auto rect = platform_.windows().windowRect(window);
    if (!rect) {
        // Where no window's place is told, only a real selection gets here (it was
        // seen as one), never a click on a title bar.
        return !platform_.windows().reportsGeometry();
    }
    // Right and bottom are the exclusive edges, as the desktop reports rectangles.
    const int left = rect->left(), top = rect->top();
    const int right = rect->left() + rect->width(), bottom = rect->top() + rect->height();
    return x >= left + EdgeMarginPx && x <= right - EdgeMarginPx && y >= top + TitleBarPx && y <= bottom - EdgeMarginPx;
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
    if (isBlank(text))
        return false;
    // Whatever the last request still waits for, only this one's answer is shown.
    endPending();
    state_.lastRequestText = text;
    if (state_.trace)
        state_.trace->write("text-captured", text.size());

    const QString cached = state_.translationCache.find(text).value_or(QString());
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

void TranslationRequest::endPending()
{
    timers_.resultPoll.setEnabled(false);
    timers_.progressDots.setEnabled(false);
    timers_.translationTimeout.setEnabled(false);
    state_.requestAwaitsPage = false;
}

void TranslationRequest::showWaiting()
{
    view_.showTranslation(WaitingMarker);
    timers_.progressDots.setEnabled(true);
    // Each request gets the whole time, however long ago the last one started.
    timers_.translationTimeout.setEnabled(false);
    timers_.translationTimeout.setEnabled(true);
}

void TranslationRequest::sendAwaitedRequest()
{
    if (!state_.requestAwaitsPage || !state_.pageReady)
        return;
    state_.requestAwaitsPage = false;
    // The time-out keeps running from the selection.
    sendToPage(state_.lastRequestText);
}

void TranslationRequest::startPageRequest(const QString& text)
{
    // The popup holds the waiting marker and the time-out runs before the page is
    // touched; polling starts only after the click.
    showWaiting();
    sendToPage(text);
}

void TranslationRequest::sendToPage(const QString& text)
{
    page_.setValue(page::text, text);
    page_.click(page::btn);
    if (state_.trace)
        state_.trace->write("request-sent", text.size());
    timers_.resultPoll.setInterval(PollIntervalMs);
    timers_.resultPoll.setEnabled(true);
}

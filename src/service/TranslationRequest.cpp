#include "service/TranslationRequest.h"

#include "common/TraceFile.h"
#include "platform/Platform.h"
#include "service/Connection.h"
#include "service/ServicePage.h"

#include <algorithm>

namespace {
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

TranslationRequest::TranslationRequest(platform::Platform& platform, ServicePage& page, Connection& connection,
                                       Capture capture, TranslationView view)
    : platform_(platform)
    , page_(page)
    , connection_(connection)
    , capture_(std::move(capture))
    , view_(std::move(view))
    , resultPoll_(platform.clock())
    , timeout_(platform.clock())
{
    resultPoll_.setInterval(PollIntervalMs);
    connect(&resultPoll_, &Timer::timeout, this, &TranslationRequest::pollResult);
    timeout_.setSingleShot(true);
    connect(&timeout_, &Timer::timeout, this, &TranslationRequest::timeOut);
}

void TranslationRequest::configure(const AppSettings& settings)
{
    notConnectedText_ = settings.notConnectedText;
    timeoutText_ = settings.timeoutText;
    iconWhenNotConnected_ = settings.iconWhenNotConnected;
    timeout_.setInterval(settings.translationTimeoutMs);
    cache_.clear();
}

bool TranslationRequest::isPointInWindowBody(WindowHandle window, int x, int y)
{
    platform::ApplicationWindows& windows = platform_.applications();
    // Where the window manager tells where its title bar ends, that is the top; the
    // other edges keep their margins, where scroll bars and window edges are dragged.
    if (const auto content = windows.contentRect(window))
        return x >= content->left() + EdgeMarginPx && x <= content->left() + content->width() - EdgeMarginPx &&
               y >= content->top() && y <= content->top() + content->height() - EdgeMarginPx;
    const auto rect = windows.windowRect(window);
    if (!rect) {
        // Where no window's place is told, only a real selection gets here (it was
        // seen as one), never a click on a title bar.
        return !windows.reportsGeometry();
    }
    // Right and bottom are the exclusive edges, as the desktop reports rectangles.
    const int left = rect->left(), top = rect->top();
    const int right = rect->left() + rect->width(), bottom = rect->top() + rect->height();
    return x >= left + EdgeMarginPx && x <= right - EdgeMarginPx && y >= top + TitleBarPx && y <= bottom - EdgeMarginPx;
}

void TranslationRequest::translateSelection(int x, int y, int selectionLeft, Handled handled)
{
    if (trace_)
        trace_->write("selection-noticed", x);
    Selection selection{x, y, selectionLeft, std::move(handled)};
    if (!capturing_) {
        capture(selection);
        return;
    }
    // Only the newest of the selections that wait for the capture counts.
    if (next_ && next_->handled)
        next_->handled(false);
    next_ = std::move(selection);
}

void TranslationRequest::capture(const Selection& selection)
{
    const WindowHandle foreground = platform_.applications().foregroundWindow();
    if (!isPointInWindowBody(foreground, selection.x, selection.y)) {
        if (selection.handled)
            selection.handled(false);
        return;
    }
    capturing_ = true;
    capture_(foreground, [this, selection](const QString& text) {
        capturing_ = false;
        const bool handled = handleText(text, selection);
        if (selection.handled)
            selection.handled(handled);
        if (next_) {
            const Selection next = *next_;
            next_.reset();
            capture(next);
        }
    });
}

bool TranslationRequest::translateText(const QString& text, int x, int y)
{
    return handleText(text, {x, y, x, {}});
}

bool TranslationRequest::handleText(const QString& captured, const Selection& selection)
{
    const QString text = trimBlanks(captured);
    if (isBlank(text))
        return false;
    // Whatever the last request still waits for, only this one's answer is shown.
    endPending();
    newestText_ = text;
    if (trace_)
        trace_->write("text-captured", text.size());

    const std::optional<QString> cached = cache_.find(text);
    const bool hit = cached && !cached->isEmpty();
    if (hit) {
        view_.showResult(*cached);
    } else if (connection_.isReady()) {
        startPageRequest(text);
    } else if (connection_.isResting()) {
        // The popup waits as for any request; the text goes out once the page is back.
        showWaiting();
        awaitsPage_ = true;
        connection_.wake();
    } else {
        view_.showMessage(notConnectedText_);
    }

    if (hit || connection_.isAvailable() || iconWhenNotConnected_)
        view_.offerIcon(selection.x, selection.y, selection.selectionLeft);
    return true;
}

bool TranslationRequest::isAwaiting() const
{
    return resultPoll_.isEnabled() || awaitsPage_;
}

void TranslationRequest::endPending()
{
    resultPoll_.setEnabled(false);
    timeout_.setEnabled(false);
    awaitsPage_ = false;
}

void TranslationRequest::showWaiting()
{
    view_.showWaiting();
    // Each request gets the whole time, however long ago the last one started.
    timeout_.restart();
}

void TranslationRequest::onPageBack()
{
    if (!awaitsPage_ || !connection_.isReady())
        return;
    awaitsPage_ = false;
    // The time-out keeps running from the selection.
    sendToPage(newestText_);
}

void TranslationRequest::onPageLost()
{
    if (isAwaiting())
        timeOut();
}

void TranslationRequest::onPageChanged()
{
    if (resultPoll_.isRunning())
        pollResult();
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
    if (trace_)
        trace_->write("request-sent", text.size());
    resultPoll_.setEnabled(true);
}

void TranslationRequest::pollResult()
{
    const QString result = page_.innerText(page::translation).value_or(QString());
    if (result.isEmpty())
        return;
    if (trace_)
        trace_->write("result-seen", result.size());
    if (const auto direction = page_.innerText(page::fromto))
        view_.showDirection(*direction);
    // The result belongs to the newest request.
    cache_.insert(newestText_, result);
    endPending();
    view_.showResult(result);
}

void TranslationRequest::timeOut()
{
    endPending();
    view_.showMessage(timeoutText_);
}

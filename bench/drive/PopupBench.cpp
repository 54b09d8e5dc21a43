#include "PopupBench.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <poll.h>

namespace {
// Milliseconds between the release and a trace or X event moment.
double msAfter(std::int64_t release, std::int64_t when)
{
    return double(when - release) / 1e6;
}
// How long after a release the program must have noticed the selection.
constexpr int NoticeMs = 1500;
// Beyond the terminal's multi-click time, so that the next press starts a new selection.
constexpr int ClickGapMs = 350;
} // namespace

double medianOf(std::vector<double> samples)
{
    if (samples.empty())
        return -1;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

PopupBench::PopupBench(XDesk& desk, BenchTerminal terminal, const std::string& traceFile)
    : desk_(desk), terminal_(terminal), trace_(traceFile)
{
}

bool PopupBench::locate()
{
    const auto rect = desk_.clientRect(terminal_.window);
    if (!rect || terminal_.columns <= 0 || terminal_.rows <= 0)
        return false;
    client_ = *rect;
    // xterm keeps a 2-pixel border inside its window.
    cellWidth_ = (client_.width - 4) / terminal_.columns;
    cellHeight_ = (client_.height - 4) / terminal_.rows;
    return cellWidth_ > 0 && cellHeight_ > 0;
}

int PopupBench::xAt(int column) const
{
    return client_.x + 2 + column * cellWidth_ + cellWidth_ / 2;
}

int PopupBench::yAt(int row) const
{
    return client_.y + 2 + row * cellHeight_ + cellHeight_ / 2;
}

void PopupBench::drainEvents()
{
    SelectionTiming ignored;
    readXEvents(0, ignored);
    while (const auto event = trace_.next())
        translations_ += event->name == "translation-drawn";
}

void PopupBench::readXEvents(std::int64_t release, SelectionTiming& timing)
{
    Display* display = desk_.display();
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (popup_ == 0)
            continue;
        if (event.type == MapNotify && event.xmap.window == popup_) {
            popupShown_ = true;
            if (release && !timing.stages.count("popup-mapped"))
                timing.stages["popup-mapped"] = msAfter(release, XDesk::nowNs());
        } else if (event.type == UnmapNotify && event.xunmap.window == popup_) {
            popupShown_ = false;
        }
    }
}

void PopupBench::findPopup()
{
    // The popup and the icon share their name; the icon is a small square.
    for (const Window window : desk_.viewableWindowsNamed("Quillora")) {
        const auto rect = desk_.clientRect(window);
        if (rect && rect->width > 40) {
            popup_ = window;
            popupShown_ = true;
            desk_.watchStructure(window);
            return;
        }
    }
}

SelectionTiming PopupBench::select(int sentence, int endColumn, int timeoutMs)
{
    SelectionTiming timing = selectOnce(sentence, endColumn, timeoutMs);
    if (!timing.stages.count("selection-noticed")) {
        // A synthetic drag on a loaded machine is now and then missed: once more.
        XDesk::sleepMs(ClickGapMs);
        timing = selectOnce(sentence, endColumn, timeoutMs);
    }
    return timing;
}

SelectionTiming PopupBench::selectOnce(int sentence, int endColumn, int timeoutMs)
{
    const int row = BenchTerminal::FirstRow + sentence;
    const int y = yAt(row);
    // From the left edge of the first character to the middle of the cell after the last.
    const int fromX = xAt(0) - (cellWidth_ / 2 - 1), toX = xAt(endColumn);
    drainEvents();
    desk_.moveTo(fromX, y);
    XDesk::sleepMs(30);
    desk_.press();
    XDesk::sleepMs(60);
    constexpr int Steps = 4;
    for (int step = 1; step <= Steps; ++step) {
        desk_.moveTo(fromX + (toX - fromX) * step / Steps, y);
        XDesk::sleepMs(25);
    }
    return awaitTranslation(desk_.release(), endColumn, timeoutMs);
}

SelectionTiming PopupBench::doubleClick(int sentence, int firstColumn, int lastColumn, int pressMs, int gapMs,
                                        int timeoutMs)
{
    drainEvents();
    desk_.moveTo(xAt((firstColumn + lastColumn) / 2), yAt(BenchTerminal::FirstRow + sentence));
    XDesk::sleepMs(30);
    desk_.press();
    XDesk::sleepMs(pressMs);
    desk_.release();
    XDesk::sleepMs(gapMs);
    desk_.press();
    XDesk::sleepMs(pressMs);
    return awaitTranslation(desk_.release(), lastColumn - firstColumn + 1, timeoutMs);
}

SelectionTiming PopupBench::awaitTranslation(std::int64_t release, int selectedLength, int timeoutMs)
{
    SelectionTiming timing;
    timing.selectedLength = selectedLength;
    const std::int64_t deadline = release + std::int64_t(timeoutMs) * 1000000;
    pollfd connection{ConnectionNumber(desk_.display()), POLLIN, 0};
    while (XDesk::nowNs() < deadline) {
        readXEvents(release, timing);
        while (const auto event = trace_.next()) {
            if (event->ns < release || timing.stages.count(event->name))
                continue;
            timing.stages[event->name] = msAfter(release, event->ns);
            timing.values[event->name] = event->value;
            translations_ += event->name == "translation-drawn";
        }
        if (timing.drawn()) {
            if (popup_ == 0)
                findPopup();
            if (popupShown_)
                break;
        }
        // Nothing noticed, or no text taken (the popup then stays closed): nothing comes.
        if ((!timing.stages.count("selection-noticed") || !timing.stages.count("text-captured")) &&
            XDesk::nowNs() > release + NoticeMs * 1000000LL)
            break;
        poll(&connection, 1, 2);
    }
    return timing;
}

void PopupBench::dismiss(int sentence)
{
    // On the selection's own row, far right: the popup lies below the row and the icon
    // just after its end.
    const int column = std::max(terminal_.columns - 8, 0);
    desk_.moveTo(xAt(column), yAt(BenchTerminal::FirstRow + sentence));
    XDesk::sleepMs(20);
    desk_.press();
    XDesk::sleepMs(40);
    const std::int64_t clicked = desk_.release();
    SelectionTiming ignored;
    pollfd connection{ConnectionNumber(desk_.display()), POLLIN, 0};
    while (popupShown_ && XDesk::nowNs() < clicked + 3000000000LL) {
        poll(&connection, 1, 5);
        readXEvents(0, ignored);
    }
    const int waited = int((XDesk::nowNs() - clicked) / 1000000);
    if (waited < ClickGapMs)
        XDesk::sleepMs(ClickGapMs - waited);
}

#include "service/TranslationRequest.h"

#include "common/NumberText.h"
#include "common/TraceFile.h"
#include "core/MainWindow.h"
#include "platform/Platform.h"
#include "common/LinkLabel.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "popup/FloatingIcon.h"
#include "service/ServicePage.h"
#include "common/TextCacheKey.h"

#include <algorithm>
#include <cmath>

namespace {
// The waiting marker that the progress dots then animate.
const QString WaitingMarker = QStringLiteral(".....");
constexpr int PollIntervalMs = 100;

// A setting as a whole number, kept inside the int range; nothing when unreadable.
std::optional<int> wholeSetting(Settings& settings, const QString& key)
{
    const auto value = settings.number(key);
    if (!value)
        return std::nullopt;
    return numbertext::clampedWhole(*value, -1000000000, 1000000000);
}

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

TranslationRequest::TranslationRequest(AppState& state, platform::Platform& platform, MainWindow& main, Popup& popup,
                                       ServicePage& page, std::function<QString(WindowHandle)> copySelectedText)
    : state_(state), platform_(platform), main_(main), popup_(popup), page_(page), copySelectedText_(std::move(copySelectedText))
{
}

bool TranslationRequest::isPointInWindowBody(WindowHandle window, int x, int y)
{
    const auto rect = platform_.windows().windowRect(window);
    if (!rect)
        return false;
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
    if (state_.trace)
        state_.trace->write("text-captured", text.size());

    const QString cached = state_.translationCache.value(textCacheKey(text));
    if (!cached.isEmpty()) {
        popup_.translationWindow().serviceLink->setVisible(true);
        popup_.showTranslation(cached);
    } else if (state_.pageReady) {
        startPageRequest(text);
    } else {
        popup_.showTranslation(state_.settings.value("NotConnectedStr"));
    }

    // An unusable PopupIfNotConnected lets the icon be offered.
    const auto popupIfNotConnected = state_.settings.number("PopupIfNotConnected");
    if (!cached.isEmpty() || state_.pageReady || !popupIfNotConnected || *popupIfNotConnected != 0)
        offerIcon(x, y);
    return true;
}

void TranslationRequest::startPageRequest(const QString& text)
{
    // The popup holds the waiting marker and the time-out runs before the page is
    // touched; polling starts only after the click.
    popup_.showTranslation(WaitingMarker);
    main_.progressDots.setEnabled(true);
    main_.translationTimeout.setEnabled(true);
    page_.setValue(page::text, text);
    page_.click(page::btn);
    if (state_.trace)
        state_.trace->write("request-sent", text.size());
    main_.resultPoll.setInterval(PollIntervalMs);
    main_.resultPoll.setEnabled(true);
}

void TranslationRequest::offerIcon(int x, int y)
{
    FloatingIcon& icon = popup_.icon();
    const auto mode = state_.settings.number("ControlMode");
    if (mode && *mode == 1) {
        // Parked, hidden, with its centre under the release point: the next click
        // there opens the popup.
        icon.hide();
        icon.move(x - 8, y - 8);
        return;
    }
    popup_.effects().setTransparency(&icon, wholeSetting(state_.settings, "Transparency").value_or(0));
    state_.iconAnchorX = x + 18;
    state_.iconAnchorY = y + 3;
    const QPoint pointer = platform_.input().cursorPos();
    state_.iconAnchorDistance = std::hypot(double(state_.iconAnchorX - pointer.x()), double(state_.iconAnchorY - pointer.y()));
    popup_.effects().setTopmost(&icon, true, true, x + 10, y - 5);

    // Fractions of a second are kept; the timer takes at most its longest interval.
    if (const auto seconds = state_.settings.number("hideiconinterval"))
        main_.iconRetire.setInterval(numbertext::clampedWhole(*seconds * 1000, 0, Timer::MaxInterval));
    main_.iconRetire.setEnabled(true);
    icon.showOffer(true);
    main_.iconLeave.setEnabled(true);
}

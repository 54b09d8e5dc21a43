#include "service/TranslationRequest.h"

#include "core/NumberText.h"
#include "core/TraceFile.h"
#include "core/frmMain.h"
#include "platform/api.h"
#include "popup/LinkLabel.h"
#include "popup/Popup.h"
#include "popup/frmTrans.h"
#include "popup/frmico.h"
#include "service/ServicePage.h"
#include "service/TextCacheKey.h"

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

TranslationRequest::TranslationRequest(AppState& state, platform::api& api, frmMain& main, Popup& popup,
                                       ServicePage& page, std::function<QString(WindowHandle)> copySelectedText)
    : state_(state), api_(api), main_(main), popup_(popup), page_(page), copySelectedText_(std::move(copySelectedText))
{
}

bool TranslationRequest::IsPointInWindowBody(WindowHandle window, int x, int y)
{
    const auto rect = api_.windows().windowRect(window);
    if (!rect)
        return false;
    // Right and bottom are the exclusive edges, as the desktop reports rectangles.
    const int left = rect->left(), top = rect->top();
    const int right = rect->left() + rect->width(), bottom = rect->top() + rect->height();
    return x >= left + 20 && x <= right - 20 && y >= top + 30 && y <= bottom - 20;
}

bool TranslationRequest::TranslateSelection(int x, int y, int selectionLeft)
{
    if (state_.Trace)
        state_.Trace->write("selection-noticed", x);
    state_.SelectionLeft = selectionLeft * state_.TwipsX;
    const WindowHandle foreground = api_.windows().foregroundWindow();
    if (!IsPointInWindowBody(foreground, x, y))
        return false;

    const QString text = trimBlanks(copySelectedText_(foreground));
    if (text.isEmpty())
        return false;
    state_.LastRequestText = text;
    if (state_.Trace)
        state_.Trace->write("text-captured", text.size());

    const QString cached = state_.TranslationCache.value(TextCacheKey(text));
    if (!cached.isEmpty()) {
        popup_.trans().google->setVisible(true);
        popup_.ShowTranslation(cached);
    } else if (state_.PageReady) {
        startPageRequest(text);
    } else {
        popup_.ShowTranslation(state_.settings.value("NotConnectedStr"));
    }

    // An unusable PopupIfNotConnected lets the icon be offered.
    const auto popupIfNotConnected = state_.settings.number("PopupIfNotConnected");
    if (!cached.isEmpty() || state_.PageReady || !popupIfNotConnected || *popupIfNotConnected != 0)
        offerIcon(x, y);
    return true;
}

void TranslationRequest::startPageRequest(const QString& text)
{
    // The popup holds the waiting marker and the time-out runs before the page is
    // touched; polling starts only after the click.
    popup_.ShowTranslation(WaitingMarker);
    main_.tmrProgress.setEnabled(true);
    main_.tmrTimeOut.setEnabled(true);
    page_.setValue(page::text, text);
    page_.click(page::btn);
    if (state_.Trace)
        state_.Trace->write("request-sent", text.size());
    main_.tmrTrans.setInterval(PollIntervalMs);
    main_.tmrTrans.setEnabled(true);
}

void TranslationRequest::offerIcon(int x, int y)
{
    frmico& icon = popup_.icon();
    const auto mode = state_.settings.number("ControlMode");
    if (mode && *mode == 1) {
        // Parked, hidden, with its centre under the release point: the next click
        // there opens the popup.
        icon.hide();
        icon.move(x - 8, y - 8);
        return;
    }
    popup_.effects().SetWindowTransparency(&icon, wholeSetting(state_.settings, "Transparency").value_or(0));
    state_.AnchorX = x + 18;
    state_.AnchorY = y + 3;
    const QPoint pointer = api_.input().cursorPos();
    state_.AnchorDistance = std::hypot(double(state_.AnchorX - pointer.x()), double(state_.AnchorY - pointer.y()));
    popup_.effects().SetWindowTopmost(&icon, true, true, x + 10, y - 5);

    // Fractions of a second are kept; the timer takes at most its longest interval.
    if (const auto seconds = state_.settings.number("hideiconinterval"))
        main_.tmrHideIco.setInterval(numbertext::clampedWhole(*seconds * 1000, 0, Timer::MaxInterval));
    main_.tmrHideIco.setEnabled(true);
    icon.showOffer(true);
    main_.tmrOut.setEnabled(true);
}

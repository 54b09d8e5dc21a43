#include "service/ResultPolling.h"

#include "common/ProgramTimers.h"
#include "common/TraceFile.h"
#include "service/ServicePage.h"

ResultPolling::ResultPolling(AppState& state, ProgramTimers& timers, ServicePage& page, TranslationView view)
    : state_(state), timers_(timers), page_(page), view_(std::move(view))
{
}

void ResultPolling::onResultPollTick()
{
    // A glide lets events run between its steps; the result waits for its end.
    if (state_.gliding)
        return;
    const QString result = page_.innerText(page::translation).value_or(QString());
    if (result.isEmpty())
        return;
    if (state_.trace)
        state_.trace->write("result-seen", result.size());
    timers_.progressDots.setEnabled(false);
    if (const auto direction = page_.innerText(page::fromto))
        view_.showDirection(*direction);
    // The result belongs to the newest request.
    state_.translationCache.insert(state_.lastRequestText, result);
    timers_.translationTimeout.setEnabled(false);
    timers_.resultPoll.setEnabled(false);
    view_.showServiceLink();
    view_.showTranslation(result);
}

void ResultPolling::onTranslationTimeout()
{
    state_.requestAwaitsPage = false;
    timers_.progressDots.setEnabled(false);
    timers_.resultPoll.setEnabled(false);
    timers_.translationTimeout.setEnabled(false);
    view_.showTranslation(state_.settings.value("timeoutstr"));
}

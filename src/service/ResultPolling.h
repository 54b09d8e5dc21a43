#pragma once
// Collects the answer of a pending translation: polls the page's result every 100 ms
// until it holds text, caches and shows it, or shows the time-out text instead.

#include "common/AppState.h"
#include "service/TranslationView.h"

struct ProgramTimers;
class ServicePage;

class ResultPolling {
public:
    ResultPolling(AppState& state, ProgramTimers& timers, ServicePage& page, TranslationView view);

    void onResultPollTick();
    void onTranslationTimeout();

private:
    AppState& state_;
    ProgramTimers& timers_;
    ServicePage& page_;
    TranslationView view_;
};

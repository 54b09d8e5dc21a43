#pragma once
// Collects the answer of a pending translation: polls the page's result every 100 ms
// until it holds text, caches and shows it, or shows the time-out text instead.

#include "common/AppState.h"

class MainWindow;
class Popup;
class ServicePage;

class ResultPolling {
public:
    ResultPolling(AppState& state, MainWindow& main, Popup& popup, ServicePage& page);

    void onResultPollTick();
    void onTranslationTimeout();

private:
    AppState& state_;
    MainWindow& main_;
    Popup& popup_;
    ServicePage& page_;
};

#pragma once
// Collects the answer of a pending translation: polls the page's result every 100 ms
// until it holds text, caches and shows it, or shows the time-out text instead.

#include "core/AppState.h"

class frmMain;
class Popup;
class ServicePage;

class ResultPolling {
public:
    ResultPolling(AppState& state, frmMain& main, Popup& popup, ServicePage& page);

    void tmrTrans_Timer();
    void tmrTimeOut_Timer();

private:
    AppState& state_;
    frmMain& main_;
    Popup& popup_;
    ServicePage& page_;
};

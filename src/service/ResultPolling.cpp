#include "service/ResultPolling.h"

#include "core/TraceFile.h"
#include "core/frmMain.h"
#include "popup/LinkLabel.h"
#include "popup/Popup.h"
#include "popup/frmTrans.h"
#include "service/ServicePage.h"
#include "service/TextCacheKey.h"

ResultPolling::ResultPolling(AppState& state, frmMain& main, Popup& popup, ServicePage& page)
    : state_(state), main_(main), popup_(popup), page_(page)
{
}

void ResultPolling::tmrTrans_Timer()
{
    // A glide lets events run between its steps; the result waits for its end.
    if (state_.Gliding)
        return;
    const QString result = page_.innerText(page::translation).value_or(QString());
    if (result.isEmpty())
        return;
    if (state_.Trace)
        state_.Trace->write("result-seen", result.size());
    main_.tmrProgress.setEnabled(false);
    if (const auto direction = page_.innerText(page::fromto))
        popup_.trans().lbldir->setCaption(*direction);
    // The result belongs to the newest request; a key already present keeps its item.
    const QString key = TextCacheKey(state_.LastRequestText);
    if (!state_.TranslationCache.contains(key))
        state_.TranslationCache.insert(key, result);
    main_.tmrTimeOut.setEnabled(false);
    main_.tmrTrans.setEnabled(false);
    popup_.trans().google->setVisible(true);
    popup_.ShowTranslation(result);
}

void ResultPolling::tmrTimeOut_Timer()
{
    main_.tmrProgress.setEnabled(false);
    main_.tmrTrans.setEnabled(false);
    main_.tmrTimeOut.setEnabled(false);
    popup_.ShowTranslation(state_.settings.value("timeoutstr"));
}

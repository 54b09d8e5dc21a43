#include "service/ResultPolling.h"

#include "common/TraceFile.h"
#include "core/MainWindow.h"
#include "common/LinkLabel.h"
#include "popup/Popup.h"
#include "popup/TranslationPopup.h"
#include "service/ServicePage.h"
#include "common/TextCacheKey.h"

ResultPolling::ResultPolling(AppState& state, MainWindow& main, Popup& popup, ServicePage& page)
    : state_(state), main_(main), popup_(popup), page_(page)
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
    main_.progressDots.setEnabled(false);
    if (const auto direction = page_.innerText(page::fromto))
        popup_.translationWindow().directionLink->setCaption(*direction);
    // The result belongs to the newest request; a key already present keeps its item.
    const QString key = textCacheKey(state_.lastRequestText);
    if (!state_.translationCache.contains(key))
        state_.translationCache.insert(key, result);
    main_.translationTimeout.setEnabled(false);
    main_.resultPoll.setEnabled(false);
    popup_.translationWindow().serviceLink->setVisible(true);
    popup_.showTranslation(result);
}

void ResultPolling::onTranslationTimeout()
{
    main_.progressDots.setEnabled(false);
    main_.resultPoll.setEnabled(false);
    main_.translationTimeout.setEnabled(false);
    popup_.showTranslation(state_.settings.value("timeoutstr"));
}

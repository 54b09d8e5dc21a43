#include "service/QuietWebPage.h"

void QuietWebPage::javaScriptAlert(const QUrl&, const QString&) {}

bool QuietWebPage::javaScriptConfirm(const QUrl&, const QString&)
{
    return false;
}

bool QuietWebPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*)
{
    return false;
}

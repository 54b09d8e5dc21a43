#include "common/WebAddress.h"

#include <QUrl>

bool isWebAddress(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty()
        && (scheme.compare("http", Qt::CaseInsensitive) == 0 || scheme.compare("https", Qt::CaseInsensitive) == 0);
}

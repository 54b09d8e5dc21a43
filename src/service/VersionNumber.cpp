#include "service/VersionNumber.h"

#include "common/NumberText.h"

#include <QStringList>

double versionNumber(const QString& version)
{
    const QStringList fields = version.split('.');
    if (fields.size() < 3)
        return 0;
    const double weights[] = {1e9, 1e6, 1};
    double number = 0;
    for (int i = 0; i < 3; ++i) {
        const auto field = numbertext::parse(fields[i]);
        if (!field)
            return 0;
        number += *field * weights[i];
    }
    return number;
}

#pragma once
#include "platform/Clipboard.h"

#include <QStringList>

namespace platform {

// Names registered as clipboard formats and their ids, numbered upwards from just
// above FirstRegisteredFormat; the same name always gets the same id.
class RegisteredFormats {
public:
    ClipboardFormat idFor(const QString& name)
    {
        if (name.isEmpty())
            return 0;
        qsizetype index = names_.indexOf(name);
        if (index < 0) {
            names_.append(name);
            index = names_.size() - 1;
        }
        return ClipboardFormat(format::FirstRegisteredFormat + 1 + index);
    }
    // Empty for an id that was never registered.
    QString nameOf(ClipboardFormat id) const
    {
        const qsizetype index = qsizetype(id) - qsizetype(format::FirstRegisteredFormat) - 1;
        return index >= 0 && index < names_.size() ? names_[index] : QString();
    }

private:
    QStringList names_;
};

} // namespace platform

#include "common/Settings.h"

#include "common/NumberText.h"

QString Settings::value(const QString& key)
{
    const auto found = index_.constFind(fold(key));
    if (found != index_.constEnd())
        return entries_.at(*found).value;
    insertIfAbsent(key, QString());
    return QString();
}

void Settings::set(const QString& key, const QString& value)
{
    const auto found = index_.constFind(fold(key));
    if (found != index_.constEnd())
        entries_[*found].value = value;
    else
        insertIfAbsent(key, value);
}

bool Settings::insertIfAbsent(const QString& key, const QString& value)
{
    const QString folded = fold(key);
    if (index_.contains(folded))
        return false;
    index_.insert(folded, entries_.size());
    entries_.append({key, value});
    return true;
}

bool Settings::contains(const QString& key) const
{
    return index_.contains(fold(key));
}

std::optional<double> Settings::number(const QString& key)
{
    return numbertext::settingValue(value(key));
}

bool Settings::flag(const QString& key)
{
    const auto n = number(key);
    return n && *n != 0;
}

void Settings::clear()
{
    entries_.clear();
    index_.clear();
}

#include "service/TranslationCache.h"

#include "common/TextCacheKey.h"

std::optional<QString> TranslationCache::find(const QString& text) const
{
    const auto found = entries_.constFind(textCacheKey(text));
    if (found == entries_.constEnd() || found->source != text)
        return std::nullopt;
    return found->translation;
}

void TranslationCache::insert(const QString& text, const QString& translation)
{
    const QString key = textCacheKey(text);
    if (!entries_.contains(key))
        entries_.insert(key, {text, translation});
}

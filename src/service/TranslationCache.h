#pragma once
// The translations of this run, keyed by textCacheKey of their source text. The key
// is a 32-bit checksum, so two texts can share it: an entry answers only for the very
// text it was made for.

#include <QHash>
#include <QString>
#include <optional>

class TranslationCache {
public:
    // The translation made for exactly this text.
    std::optional<QString> find(const QString& text) const;
    // Keeps the translation of the text unless its key holds one already (of this text
    // or of another that shares the key).
    void insert(const QString& text, const QString& translation);
    void clear() { entries_.clear(); }
    bool isEmpty() const { return entries_.isEmpty(); }

private:
    struct Entry {
        QString source;
        QString translation;
    };
    QHash<QString, Entry> entries_;
};

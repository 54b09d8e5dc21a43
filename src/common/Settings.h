#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The program's one settings table: text values under case-insensitive keys, kept
// in insertion order. A key keeps the letter case of its first insertion.
class Settings {
public:
    struct Entry {
        QString key;
        QString value;
    };

    // The value under key; an absent key is inserted with an empty value, so that the
    // next save writes it out.
    QString value(const QString& key);
    // Assigns, appending the key when it is absent.
    void set(const QString& key, const QString& value);
    // Inserts only when the key is absent; true when it was inserted.
    bool insertIfAbsent(const QString& key, const QString& value);
    bool contains(const QString& key) const;

    // The value read as a number (empty reads as 0); nothing when it is not a number.
    std::optional<double> number(const QString& key);
    // Non-zero number; an unreadable value is false.
    bool flag(const QString& key);

    const QList<Entry>& entries() const { return entries_; }
    void clear();

private:
    static QString fold(const QString& key) { return key.toCaseFolded(); }

    QList<Entry> entries_;
    QHash<QString, qsizetype> index_;
};

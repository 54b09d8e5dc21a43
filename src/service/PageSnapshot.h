#pragma once
// What the program last saw of the contract elements of the page in the browser:
// a copy that reads answer from without waiting for the browser.

#include "service/ServicePage.h"

#include <QHash>
#include <QString>
#include <optional>

struct PageSnapshot {
    struct Element {
        QString outerHtml;
        QString innerText;
        std::optional<QString> value;                    // inputs, text boxes and lists
        std::optional<QList<ServicePage::Option>> options; // lists
    };

    // Present elements by id; an id that is absent is not in the document.
    QHash<QString, Element> elements;
    // When the report's document first reported (ms since the epoch) and the report's
    // place among that document's reports: the later document, then the higher place,
    // is the newer state.
    double document = 0;
    qint64 sequence = 0;

    const Element* find(const QString& id) const;
    bool isOlderThan(const PageSnapshot& other) const
    {
        return document < other.document || (document == other.document && sequence < other.sequence);
    }

    // Reads the JSON that the page script returns. Nothing when the text is not
    // such a report (for example when the script could not run).
    static std::optional<PageSnapshot> fromJson(const QString& json);
};

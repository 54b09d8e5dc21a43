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

    const Element* find(const QString& id) const;

    // Reads the JSON that the page script returns. Nothing when the text is not
    // such a report (for example when the script could not run).
    static std::optional<PageSnapshot> fromJson(const QString& json);
};

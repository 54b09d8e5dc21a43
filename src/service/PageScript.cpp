#include "service/PageScript.h"

#include "service/ServicePage.h"

namespace pagescript {

namespace {

// Evaluates to the JSON report. Every step is guarded: a missing element, a
// member the element lacks, or a page that broke its own DOM gives no report entry
// rather than an error.
const char* const Library = R"JS(
(function (operation, id, text, ids) {
    try {
        var target = id ? document.getElementById(id) : null;
        if (target) {
            if (operation === "clear" && target.parentNode)
                target.outerHTML = "";
            else if (operation === "value" && "value" in target)
                target.value = text;
            else if (operation === "click" && typeof target.click === "function")
                target.click();
        }
    } catch (error) {}
    var elements = {};
    ids.forEach(function (key) {
        try {
            var element = document.getElementById(key);
            if (!element)
                return;
            var entry = { outerHtml: String(element.outerHTML), innerText: String(element.innerText || "") };
            if ("value" in element && typeof element.value === "string")
                entry.value = element.value;
            if (element.options && typeof element.options.length === "number") {
                entry.options = [];
                for (var i = 0; i < element.options.length; ++i)
                    entry.options.push({ value: String(element.options[i].value), text: String(element.options[i].text) });
            }
            elements[key] = entry;
        } catch (error) {}
    });
    return JSON.stringify({ elements: elements });
})
)JS";

QString operationName(Operation operation)
{
    switch (operation) {
    case Operation::ClearOuterHtml:
        return "clear";
    case Operation::SetValue:
        return "value";
    case Operation::Click:
        return "click";
    case Operation::Report:
        break;
    }
    return "report";
}

QString contractIds()
{
    QStringList literals;
    for (const QString& id : {page::text, page::btn, page::translation, page::fromto, page::version, page::download,
                              page::selto})
        literals.append(stringLiteral(id));
    return "[" + literals.join(",") + "]";
}

} // namespace

QString stringLiteral(const QString& text)
{
    QString literal;
    literal.reserve(text.size() + 2);
    literal.append('"');
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const bool plain = unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\' && unit != '<';
        if (plain)
            literal.append(c);
        else
            literal.append(QString("\\u%1").arg(unsigned(unit), 4, 16, QChar('0')));
    }
    literal.append('"');
    return literal;
}

QString script(Operation operation, const QString& id, const QString& text)
{
    return QString::fromUtf8(Library) + "(" + stringLiteral(operationName(operation)) + "," + stringLiteral(id) + "," +
           stringLiteral(text) + "," + contractIds() + ")";
}

} // namespace pagescript

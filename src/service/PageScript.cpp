#include "service/PageScript.h"

#include "service/ServicePage.h"

namespace pagescript {

namespace {

// Evaluates, for the contract ids, to the JSON report of the elements. Every step is
// guarded: a missing element, a member the element lacks, or a page that broke its
// own DOM gives no entry rather than an error. Each report carries when its document
// first reported and its place among that document's reports, so that the program
// can tell which of two reports is the newer whichever way they travelled.
const char* const Report = R"JS(
function (ids) {
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
    // The moment of a document's first report: a document replaces the one before it
    // only after that one's last report. (Its timeOrigin will not do: a navigation can
    // begin before the document it replaces was even made.)
    window.qlrDocument = window.qlrDocument || performance.timeOrigin + performance.now();
    window.qlrReports = (window.qlrReports || 0) + 1;
    return JSON.stringify({ elements: elements, document: window.qlrDocument, sequence: window.qlrReports });
}
)JS";

// Runs one operation on an element, then evaluates to the report.
const char* const Operate = R"JS(
(function (operation, id, text, ids, report) {
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
    return report(ids);
})
)JS";

// Installed in every new document: pushes a report through the web channel once it
// is open and after every change of the document or of a form field, and nothing
// while nothing changes. Changes within one task arrive as one batch.
const char* const Watch = R"JS(
(function (ids, report) {
    var receiver = null;
    function push() {
        if (receiver)
            receiver.push(report(ids));
    }
    new QWebChannel(qt.webChannelTransport, function (channel) {
        receiver = channel.objects.receiver;
        push();
    });
    new MutationObserver(push).observe(document, { subtree: true, childList: true, characterData: true, attributes: true });
    document.addEventListener("input", push, true);
    document.addEventListener("change", push, true);
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
    return QString::fromUtf8(Operate) + "(" + stringLiteral(operationName(operation)) + "," + stringLiteral(id) + "," +
           stringLiteral(text) + "," + contractIds() + "," + QString::fromUtf8(Report) + ")";
}

QString watchScript(const QString& channelLibrary)
{
    return channelLibrary + "\n" + QString::fromUtf8(Watch) + "(" + contractIds() + "," + QString::fromUtf8(Report) + ");";
}

} // namespace pagescript

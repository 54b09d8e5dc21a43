#pragma once
// What the program expects of the translation page in the hidden browser. Every
// access goes to the browser's current document by element id. A missing document
// or element makes a read answer nothing and a write or click do nothing.

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace page {
inline const QString text = QStringLiteral("text");               // input; ready when it has markup
inline const QString btn = QStringLiteral("btn");                 // starts a translation
inline const QString translation = QStringLiteral("translation"); // the result; empty while pending
inline const QString fromto = QStringLiteral("fromto");           // direction label of the result
inline const QString version = QStringLiteral("version");         // newest program version
inline const QString download = QStringLiteral("download");       // where to get it
inline const QString selto = QStringLiteral("selto");             // target languages
} // namespace page

class ServicePage {
public:
    struct Option {
        QString value;
        QString text;
        bool operator==(const Option&) const = default;
    };

    virtual ~ServicePage() = default;

    // Loads the address; the old document stays current until the new one replaces it.
    virtual void navigate(const QString& url) = 0;
    // Lets go of the document to give back the browser's memory while nobody uses
    // the page; true when it did (never while the page is on screen). Reads answer
    // nothing until navigate loads a document again.
    virtual bool discard() { return false; }

    // The element's outer markup.
    virtual std::optional<QString> outerHtml(const QString& id) = 0;
    // Replaces the element's outer markup by nothing (removes it from the document).
    virtual void clearOuterHtml(const QString& id) = 0;
    // The value of an input element.
    virtual std::optional<QString> value(const QString& id) = 0;
    // Sets the value of an input element to the text, verbatim.
    virtual void setValue(const QString& id, const QString& text) = 0;
    virtual void click(const QString& id) = 0;
    // The element's rendered text.
    virtual std::optional<QString> innerText(const QString& id) = 0;
    // The options of a list element, in order.
    virtual std::optional<QList<Option>> options(const QString& id) = 0;

    // The widget that shows the page to the user, when there is one.
    virtual QWidget* view() { return nullptr; }
    // Who opens the addresses of links that ask for a new window (in the desktop's
    // own browser); without a handler such links do nothing.
    virtual void setExternalLinkHandler(std::function<void(const QString& url)> handler) { (void)handler; }
    // Who hears that what the reads answer may have changed (the page reports its
    // changes); without a handler the reads still answer, only nobody is told.
    virtual void setChangeHandler(std::function<void()> handler) { (void)handler; }
    // Who hears that the document died with the browser process that showed it (a
    // crash, or the system ending it); the page shows nothing until loaded again.
    virtual void setLossHandler(std::function<void()> handler) { (void)handler; }
};

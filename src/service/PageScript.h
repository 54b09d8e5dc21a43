#pragma once
// The scripts the program runs in its own script world of the page: one operation
// on a contract element followed by a report of all contract elements, and the
// watcher that pushes a report whenever the document changes. Texts go into the
// script only as escaped string literals, so they can never run as code.

#include <QString>

namespace pagescript {

enum class Operation { Report, ClearOuterHtml, SetValue, Click };

// A JavaScript string literal holding the text exactly: everything outside
// printable ASCII, and quotes, backslashes and "<", is written as \uXXXX.
QString stringLiteral(const QString& text);

// Runs the operation on the element (nothing when it is missing) and evaluates to
// the JSON report that PageSnapshot::fromJson reads.
QString script(Operation operation, const QString& id = {}, const QString& text = {});

// The script to install in every new document, after channelLibrary (the web
// channel's own client script): it hands each report to the channel object named
// "receiver", as its push(report) call.
QString watchScript(const QString& channelLibrary);

} // namespace pagescript

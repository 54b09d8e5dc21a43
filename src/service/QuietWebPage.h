#pragma once
// A browser page that never opens a dialog of its own: the page is untrusted and
// usually hidden, so its alert, confirm and prompt calls must not block the program
// with a modal box.

#include <QWebEnginePage>

class QuietWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
};

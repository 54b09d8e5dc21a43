#pragma once
// The service page in a real browser engine. Reads answer at once from a copy of
// the contract elements that a script in the program's own script world pushes over
// a web channel whenever the document changes, and that every write brings back;
// nothing is asked while nothing changes. Writes and clicks run in the order they
// are made. The page's own scripts cannot reach that script world.

#include "service/PageReportReceiver.h"
#include "service/PageScript.h"
#include "service/PageSnapshot.h"
#include "service/ServicePage.h"

#include <QObject>
#include <QPointer>
#include <QWebChannel>

class QWebEngineProfile;
class QWebEngineView;
class QuietWebPage;

class WebServicePage : public QObject, public ServicePage {
    Q_OBJECT
public:
    WebServicePage();
    ~WebServicePage() override;

    void navigate(const QString& url) override;
    bool discard() override;
    std::optional<QString> outerHtml(const QString& id) override;
    void clearOuterHtml(const QString& id) override;
    std::optional<QString> value(const QString& id) override;
    void setValue(const QString& id, const QString& text) override;
    void click(const QString& id) override;
    std::optional<QString> innerText(const QString& id) override;
    std::optional<QList<Option>> options(const QString& id) override;
    QWidget* view() override;
    void setExternalLinkHandler(std::function<void(const QString& url)> handler) override;
    void setChangeHandler(std::function<void()> handler) override;
    void setLossHandler(std::function<void()> handler) override;

    // True once the page has confirmed every write made so far; until then reads
    // answer nothing, so that no answer can belong to an older request.
    bool isCurrent() const;
    // The browser's renderer process for the page; 0 while it has none.
    qint64 rendererProcessId() const;

signals:
    // The copy of the elements changed.
    void reported();

private:
    void installWatchScript();
    // One line on the standard error about an address that cannot be loaded.
    void complainOnce(const QString& why);
    void run(pagescript::Operation operation, const QString& id, const QString& text);
    // The document is gone: its copy, and the writes it will never confirm.
    void forgetDocument();
    // Takes the report unless it describes an older state than the copy.
    void applyReport(const QString& report);
    // The element from the copy, or null while a write is unconfirmed or it is absent.
    const PageSnapshot::Element* element(const QString& id);

    QWebEngineProfile* profile_ = nullptr;
    QuietWebPage* page_ = nullptr;
    QPointer<QWebEngineView> view_;
    std::function<void(const QString&)> externalLinkHandler_;
    std::function<void()> changeHandler_;
    std::function<void()> lossHandler_;
    QWebChannel channel_;
    PageReportReceiver receiver_;

    QString lastComplaint_;
    PageSnapshot snapshot_;
    quint64 writesIssued_ = 0;
    quint64 writesConfirmed_ = 0;
};

#pragma once
// The service page in a real browser engine. Reads answer at once from a copy of
// the contract elements that a script in the program's own script world reports
// after every write and every few milliseconds; writes and clicks run in the order
// they are made. The page's own scripts cannot reach that script world.

#include "service/PageScript.h"
#include "service/PageSnapshot.h"
#include "service/ServicePage.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWebEngineProfile;
class QWebEngineView;
class QuietWebPage;

class WebServicePage : public QObject, public ServicePage {
    Q_OBJECT
public:
    // How often the copy of the elements is refreshed while the program works with the
    // page (a load, a write or a click in the last BusyWindowMs), and when it does not.
    static constexpr int ReportIntervalMs = 40;
    static constexpr int IdleReportIntervalMs = 2000;
    static constexpr int BusyWindowMs = 15000;
    // A write whose report has not come back in this time is taken as lost.
    static constexpr int LostWriteMs = 2000;

    WebServicePage();
    ~WebServicePage() override;

    void navigate(const QString& url) override;
    std::optional<QString> outerHtml(const QString& id) override;
    void clearOuterHtml(const QString& id) override;
    std::optional<QString> value(const QString& id) override;
    void setValue(const QString& id, const QString& text) override;
    void click(const QString& id) override;
    std::optional<QString> innerText(const QString& id) override;
    std::optional<QList<Option>> options(const QString& id) override;
    QWidget* view() override;
    void setExternalLinkHandler(std::function<void(const QString& url)> handler) override;

    // True once the copy reflects every write made so far.
    bool isCurrent() const;

signals:
    // The copy of the elements changed.
    void reported();

private:
    void run(pagescript::Operation operation, const QString& id, const QString& text);
    void requestReport();
    // Refreshes the copy quickly for the next BusyWindowMs.
    void keepCurrent();
    void applyReport(quint64 report, const QVariant& result);
    // The element from the copy, or null while a write is unconfirmed or it is absent.
    const PageSnapshot::Element* element(const QString& id);

    QWebEngineProfile* profile_ = nullptr;
    QuietWebPage* page_ = nullptr;
    QPointer<QWebEngineView> view_;
    std::function<void(const QString&)> externalLinkHandler_;

    PageSnapshot snapshot_;
    quint64 writesIssued_ = 0;
    quint64 writesConfirmed_ = 0;
    QElapsedTimer oldestUnconfirmedWrite_;
    quint64 reportsRequested_ = 0;
    quint64 newestReport_ = 0;
    bool reportPending_ = false;
    QTimer reportTimer_;
    QElapsedTimer busySince_;
    QElapsedTimer reportSent_;
};

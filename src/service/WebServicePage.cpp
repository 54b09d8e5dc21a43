#include "service/WebServicePage.h"

#include "service/QuietWebPage.h"

#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

constexpr quint32 ProgramWorld = QWebEngineScript::ApplicationWorld;

// Only ordinary web and file addresses are loaded; anything else (script or data
// addresses, text that is no address at all) shows an empty document instead.
QUrl loadableUrl(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == "http" || scheme == "https" || scheme == "file"))
        return url;
    return QUrl("about:blank");
}

} // namespace

WebServicePage::WebServicePage()
    : profile_(new QWebEngineProfile(this)) // no storage name: nothing is written to disk
{
    page_ = new QuietWebPage(profile_, this);
    QWebEngineSettings* settings = page_->settings();
    // The shipped page is a file that talks to the local translation server.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);

    connect(page_, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& request) {
        // Never a second embedded window: the address goes to the desktop's browser.
        if (externalLinkHandler_)
            externalLinkHandler_(request.requestedUrl().toString());
    });
    connect(page_, &QWebEnginePage::renderProcessTerminated, this, [this] {
        snapshot_ = {};
        writesConfirmed_ = writesIssued_;
    });

    view_ = new QWebEngineView;
    view_->setPage(page_);

    connect(&reportTimer_, &QTimer::timeout, this, &WebServicePage::requestReport);
    keepCurrent();
}

void WebServicePage::keepCurrent()
{
    busySince_.start();
    if (reportTimer_.interval() != ReportIntervalMs || !reportTimer_.isActive())
        reportTimer_.start(ReportIntervalMs);
}

WebServicePage::~WebServicePage()
{
    reportTimer_.stop();
    delete view_.data();
    // The page must go before its profile.
    delete page_;
}

void WebServicePage::navigate(const QString& url)
{
    keepCurrent();
    page_->load(loadableUrl(url));
}

bool WebServicePage::isCurrent() const
{
    return writesConfirmed_ >= writesIssued_;
}

void WebServicePage::run(pagescript::Operation operation, const QString& id, const QString& text)
{
    keepCurrent();
    if (isCurrent())
        oldestUnconfirmedWrite_.start();
    const quint64 number = ++writesIssued_;
    const quint64 report = ++reportsRequested_;
    QPointer<WebServicePage> self(this);
    page_->runJavaScript(pagescript::script(operation, id, text), ProgramWorld,
                         [self, number, report](const QVariant& result) {
                             if (!self)
                                 return;
                             self->writesConfirmed_ = std::max(self->writesConfirmed_, number);
                             self->applyReport(report, result);
                         });
}

void WebServicePage::requestReport()
{
    // Nobody has used the page for a while: a slow refresh keeps the renderer idle.
    if (busySince_.hasExpired(BusyWindowMs) && reportTimer_.interval() != IdleReportIntervalMs)
        reportTimer_.setInterval(IdleReportIntervalMs);
    if (!isCurrent() && oldestUnconfirmedWrite_.hasExpired(LostWriteMs))
        writesConfirmed_ = writesIssued_;
    // A report that never came back (its renderer died meanwhile) no longer holds
    // up the next one.
    if (reportPending_ && !reportSent_.hasExpired(LostWriteMs))
        return;
    reportPending_ = true;
    reportSent_.start();
    const quint64 report = ++reportsRequested_;
    QPointer<WebServicePage> self(this);
    page_->runJavaScript(pagescript::script(pagescript::Operation::Report), ProgramWorld,
                         [self, report](const QVariant& result) {
                             if (!self)
                                 return;
                             self->reportPending_ = false;
                             self->applyReport(report, result);
                         });
}

void WebServicePage::applyReport(quint64 report, const QVariant& result)
{
    // A report that was overtaken by a newer one describes an older state.
    if (report < newestReport_)
        return;
    newestReport_ = report;
    // A script that could not run means there is no document to speak of.
    snapshot_ = PageSnapshot::fromJson(result.toString()).value_or(PageSnapshot{});
    emit reported();
}

const PageSnapshot::Element* WebServicePage::element(const QString& id)
{
    return isCurrent() ? snapshot_.find(id) : nullptr;
}

std::optional<QString> WebServicePage::outerHtml(const QString& id)
{
    if (const auto* e = element(id))
        return e->outerHtml;
    return std::nullopt;
}

std::optional<QString> WebServicePage::value(const QString& id)
{
    if (const auto* e = element(id))
        return e->value;
    return std::nullopt;
}

std::optional<QString> WebServicePage::innerText(const QString& id)
{
    if (const auto* e = element(id))
        return e->innerText;
    return std::nullopt;
}

std::optional<QList<ServicePage::Option>> WebServicePage::options(const QString& id)
{
    if (const auto* e = element(id))
        return e->options;
    return std::nullopt;
}

void WebServicePage::clearOuterHtml(const QString& id)
{
    run(pagescript::Operation::ClearOuterHtml, id, {});
}

void WebServicePage::setValue(const QString& id, const QString& text)
{
    run(pagescript::Operation::SetValue, id, text);
}

void WebServicePage::click(const QString& id)
{
    run(pagescript::Operation::Click, id, {});
}

QWidget* WebServicePage::view()
{
    return view_.data();
}

void WebServicePage::setExternalLinkHandler(std::function<void(const QString&)> handler)
{
    externalLinkHandler_ = std::move(handler);
}

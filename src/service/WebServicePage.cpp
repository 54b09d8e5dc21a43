#include "service/WebServicePage.h"

#include "service/QuietWebPage.h"

#include <QFile>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

constexpr quint32 ProgramWorld = QWebEngineScript::ApplicationWorld;

// Only ordinary web and file addresses are loaded; anything else (script or data
// addresses, text that is no address at all) shows an empty document instead. The
// address is taken as people write it: blanks and letters beyond ASCII in a folder
// name are encoded, not refused.
QUrl loadableUrl(const QString& address)
{
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == "http" || scheme == "https" || scheme == "file"))
        return url;
    return {};
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
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                // Writes in flight died with the renderer; the document went with them.
                forgetDocument();
                if (changeHandler_)
                    changeHandler_();
                if (status != QWebEnginePage::NormalTerminationStatus && lossHandler_)
                    lossHandler_();
            });
    // A new document makes the writes to the one before it moot: some of them, made
    // before the page had a document at all, are never answered.
    connect(page_, &QWebEnginePage::loadStarted, this, [this] { writesConfirmed_ = writesIssued_; });
    // A document where the watch script could not start still gets one report.
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (!ok)
            complainOnce(QStringLiteral("the service page %1 could not be loaded").arg(page_->url().toString()));
        run(pagescript::Operation::Report, {}, {});
    });
    connect(&receiver_, &PageReportReceiver::received, this, &WebServicePage::applyReport);
    channel_.registerObject(QStringLiteral("receiver"), &receiver_);
    page_->setWebChannel(&channel_, ProgramWorld);
    installWatchScript();

    view_ = new QWebEngineView;
    view_->setPage(page_);
}

void WebServicePage::installWatchScript()
{
    QFile library(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!library.open(QIODevice::ReadOnly)) {
        qWarning("qlr: the web channel's script is missing; the page is read after each load and write only");
        return;
    }
    QWebEngineScript watch;
    watch.setName(QStringLiteral("qlr-watch"));
    watch.setWorldId(ProgramWorld);
    watch.setInjectionPoint(QWebEngineScript::DocumentCreation);
    watch.setRunsOnSubFrames(false);
    watch.setSourceCode(pagescript::watchScript(QString::fromUtf8(library.readAll())));
    page_->scripts().insert(watch);
}

WebServicePage::~WebServicePage()
{
    // The browser answers the scripts still running as it goes; nobody hears of it.
    changeHandler_ = nullptr;
    lossHandler_ = nullptr;
    externalLinkHandler_ = nullptr;
    delete view_.data();
    // The page must go before its profile.
    delete page_;
}

void WebServicePage::navigate(const QString& url)
{
    // A discarded page comes back to life before it loads anything.
    if (page_->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        page_->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    const QUrl loadable = loadableUrl(url);
    if (loadable.isEmpty())
        complainOnce(QStringLiteral("the service address \"%1\" is not a web or file address").arg(url));
    page_->load(loadable.isEmpty() ? QUrl(QStringLiteral("about:blank")) : loadable);
}

void WebServicePage::complainOnce(const QString& why)
{
    // Every reconnect tries the same address again; the user hears of it once.
    if (why == lastComplaint_)
        return;
    lastComplaint_ = why;
    qWarning("qlr: %s", qUtf8Printable(why));
}

bool WebServicePage::discard()
{
    // The browser keeps a page on screen alive; so does the program.
    if (view_ && view_->isVisible())
        return false;
    page_->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
    forgetDocument();
    return page_->lifecycleState() == QWebEnginePage::LifecycleState::Discarded;
}

void WebServicePage::forgetDocument()
{
    snapshot_ = {};
    writesConfirmed_ = writesIssued_;
}

bool WebServicePage::isCurrent() const
{
    return writesConfirmed_ >= writesIssued_;
}

qint64 WebServicePage::rendererProcessId() const
{
    return page_->renderProcessPid();
}

void WebServicePage::run(pagescript::Operation operation, const QString& id, const QString& text)
{
    const quint64 number = ++writesIssued_;
    QPointer<WebServicePage> self(this);
    page_->runJavaScript(pagescript::script(operation, id, text), ProgramWorld, [self, number](const QVariant& result) {
        if (!self)
            return;
        self->writesConfirmed_ = std::max(self->writesConfirmed_, number);
        self->applyReport(result.toString());
    });
}

void WebServicePage::applyReport(const QString& report)
{
    // Pushes and write results travel different ways; one may overtake the other.
    const std::optional<PageSnapshot> reported = PageSnapshot::fromJson(report);
    if (reported && reported->isOlderThan(snapshot_))
        return;
    // A script that could not run means there is no document to speak of.
    snapshot_ = reported.value_or(PageSnapshot{});
    emit this->reported();
    if (changeHandler_)
        changeHandler_();
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

void WebServicePage::setChangeHandler(std::function<void()> handler)
{
    changeHandler_ = std::move(handler);
}

void WebServicePage::setLossHandler(std::function<void()> handler)
{
    lossHandler_ = std::move(handler);
}

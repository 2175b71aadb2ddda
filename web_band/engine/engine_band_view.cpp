// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine module: Qt WebEngine's view of the maker's page. The program loads this module only
// when the site has answered with a page, so a run without one never maps the engine at all.
#include <QChildEvent>
#include <QFocusEvent>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <memory>
#include <type_traits>

#include "web_band/engine/engine_switches.h"
#include "web_band/engine/link_gate.h"
#include "web_band/engine/page_guard.h"
#include "web_band/engine/renderer_bounds.h"
#include "web_band/engine/request_filter.h"
#include "web_band/engine/resource_fetch.h"
#include "web_band/engine/silent_page.h"
#include "web_band/engine/site_addresses.h"
#include "web_band/engine_band.h"

namespace quintara::web_band {
namespace {

constexpr qsizetype kLongestAddressBytes = 64 * 1024;

class EngineBandView final : public QWebEngineView, public EngineBand {
public:
    EngineBandView(QWidget& parent, qt::LinkOpener& links, const QString& offlineHtml)
        : QWebEngineView(&parent), gate_(*this, links), offlineHtml_(offlineHtml) {
        // Off the record: the band keeps no cache, cookies or history on disk. The engine starts
        // with its first profile.
        startEngineForTheBand([this] { profile_ = new QWebEngineProfile(this); });
        connect(profile_, &QWebEngineProfile::downloadRequested, this,
                [](QWebEngineDownloadRequest* download) { download->cancel(); });
        keepNothingOfThePage();
        fetchResourcesOurselves();
        page_ = std::make_unique<SilentPage>(profile_, gate_, this);
        page_->scripts().insert(pageGuard());
        setPage(page_.get());
        boundThePage();
        setContextMenuPolicy(Qt::NoContextMenu);
        setAccessibleName(QStringLiteral("Pagina del sito di Quintara"));
        connect(page_.get(), &QWebEnginePage::loadingChanged, this,
                [this](const QWebEngineLoadingInfo& loading) { loadingChanged(loading); });
    }

    QWidget& widget() override { return *this; }
    void setSilent(bool silent) override { page_->setSilent(silent); }

    // The bytes our fetch brought are shown as they are, under the page's own address in our
    // scheme: relative links, scripts and requests to the site behave as if the engine had asked
    // for the page, and come to us.
    void showPage(const FetchedPage& page) override {
        requests_->startPage(page.url);
        resources_->startPage(page);
        gate_.startPage(page.url);
        showingOfflinePage_ = false;
        gate_.expectOwnLoad();
        load(resourceAddress(page.url));
    }

protected:
    // The engine draws the page in a child widget made as the page arrives, which takes the
    // keyboard for the view.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ChildAdded) {
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        }
        return QWebEngineView::event(event);
    }

    // Tab into the page stops on the page as a whole, where a screen reader has nothing to say;
    // a browser goes on to the page's first link (its last, going back), and so does the band.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && watched == focusProxy()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
                stepOntoALink(reason == Qt::BacktabFocusReason);
            }
        }
        return QWebEngineView::eventFilter(watched, event);
    }

private:
    // What the engine keeps for a page off the record it keeps in the program's own process, past
    // the page's bound, and for as long as the band lives: the page may store nothing at all, no
    // cookie, and none of IndexedDB, Web SQL, the Cache API, file systems, local or session
    // storage, which the engine allows only where its cookie filter would allow a cookie.
    void keepNothingOfThePage() {
        profile_->cookieStore()->setCookieFilter(
            [](const QWebEngineCookieStore::FilterRequest&) { return false; });
    }

    // A page that breaks its process (its memory, say) is gone: our page shows instead. The engine
    // copies the page's address at each move, in the program's own process, and kept some 5 MiB
    // for each move to an address of 2 MiB: a page that gives itself an address longer than any
    // page needs ends as one that takes too much memory does.
    void boundThePage() {
        bounds_ = new RendererBounds(*page_, *this);
        connect(page_.get(), &QWebEnginePage::renderProcessTerminated, this,
                [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                    if (status != QWebEnginePage::NormalTerminationStatus) {
                        showOfflinePage();
                    }
                });
        connect(page_.get(), &QWebEnginePage::urlChanged, this, [this](const QUrl& address) {
            if (address.toEncoded().size() > kLongestAddressBytes) {
                bounds_->endThePage();
            }
        });
    }

    // What the page asks for passes our filter, and what it may have comes through our own fetch;
    // both go with the profile.
    void fetchResourcesOurselves() {
        requests_ = new RequestFilter(profile_);
        profile_->setUrlRequestInterceptor(requests_);
        resources_ = new ResourceFetch(profile_);
        profile_->installUrlSchemeHandler(kResourceScheme, resources_);
    }

    // Only when nothing on the page has the focus yet, and in one step on the page: an engine
    // that moves there itself meanwhile finds the focus on the same link, or has already moved it
    // and is left to it.
    void stepOntoALink(bool back) {
        page_->runJavaScript(QStringLiteral(R"(
            if (!document.activeElement || document.activeElement === document.body) {
                const stops = Array.from(document.querySelectorAll(
                    'a[href], area[href], button, input, select, textarea, [tabindex]')).filter(
                    e => e.tabIndex >= 0 && !e.disabled && e.getClientRects().length > 0);
                const stop = %1 ? stops[stops.length - 1] : stops[0];
                if (stop) {
                    stop.focus();
                }
            })")
                                 .arg(back ? QStringLiteral("true") : QStringLiteral("false")),
                             QWebEngineScript::ApplicationWorld);
    }

    // Only the band's own page failing to load brings our offline page; a link the gate kept
    // from loading leaves the page as it was.
    void loadingChanged(const QWebEngineLoadingInfo& loading) {
        if (loading.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
            showOfflinePage();
        }
    }

    // Also when the page broke its process (its memory, say), once: should even our page fail,
    // the band stays blank.
    void showOfflinePage() {
        if (!showingOfflinePage_) {
            showingOfflinePage_ = true;
            gate_.expectOwnLoad();
            setHtml(offlineHtml_, QUrl(QStringLiteral("qrc:/quintara/")));
        }
    }

    LinkGate gate_;
    QString offlineHtml_;
    QWebEngineProfile* profile_ = nullptr;
    RequestFilter* requests_ = nullptr;
    ResourceFetch* resources_ = nullptr;
    RendererBounds* bounds_ = nullptr;
    // The page must go before its profile, which is deleted with the view's other children:
    // a child itself, it leaves them as it goes.
    std::unique_ptr<SilentPage> page_;
    bool showingOfflinePage_ = false;
};

}  // namespace
}  // namespace quintara::web_band

extern "C" Q_DECL_EXPORT quintara::web_band::EngineBand* quintara_make_engine_band(
    QWidget& parent, quintara::qt::LinkOpener& links, const QString& offlineHtml) {
    quintara::web_band::registerResourceScheme();
    return new quintara::web_band::EngineBandView(parent, links, offlineHtml);
}

// Checked here, where both are seen: the program calls the export through this type.
static_assert(
    std::is_same_v<decltype(quintara_make_engine_band), quintara::web_band::MakeEngineBand>);

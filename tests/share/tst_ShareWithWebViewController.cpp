#include "ActivityIndicatorView.h"
#include "Localization.h"
#include "ShareWithWebViewController.h"
#include "TestEnvironment.h"
#include "TestMain.h"
#include "WebTestServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTcpServer>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {
// The engine starts in a few seconds on a slow machine; loads are loopback.
constexpr int kLoadTimeoutMs = 30000;

// Records the status line after each callback of the web view.
class RecordingPage : public ShareWithWebViewController {
public:
    QStringList statuses;
    bool webView_shouldStartLoadWithRequest(const QUrl& url) override
    {
        const bool ok = ShareWithWebViewController::webView_shouldStartLoadWithRequest(url);
        statuses << m_testLabel->text();
        return ok;
    }
    void webViewDidStartLoad() override
    {
        ShareWithWebViewController::webViewDidStartLoad();
        statuses << m_testLabel->text();
    }
    void webViewDidFinishLoad() override
    {
        ShareWithWebViewController::webViewDidFinishLoad();
        statuses << m_testLabel->text();
    }
    void webView_didFailLoadWithError(const QString& reason) override
    {
        ShareWithWebViewController::webView_didFailLoadWithError(reason);
        statuses << QStringLiteral("failed: ") + m_testLabel->text();
    }
};
} // namespace

class TestShareWithWebViewController : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnvironment> env;

private slots:
    void initTestCase() { webTestServer(); }
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        env.reset();
        Localization::setLocaleOverride(QString());
    }

    void buildPath_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("title");
        QTest::newRow("facebook, region") << 0 << "de_AT"
            << "http://www.facebook.com/share.php?u=http%3A%2F%2Fitunes.apple.com%2FAT%2Fapp%2Fid436352457%3Fmt%3D8"
            << "Share on facebook";
        QTest::newRow("twitter, region") << 1 << "en_GB"
            << "http://twitter.com/share?url=http://itunes.apple.com/GB/app/id436352457&text=Korvane%20Vandel%20for%20iPhone,%20and%20iPad:%20%20"
            << "Share on twitter";
        // A language alone takes its most likely region, C the US store.
        QTest::newRow("facebook, language only") << 0 << "fr"
            << "http://www.facebook.com/share.php?u=http%3A%2F%2Fitunes.apple.com%2FFR%2Fapp%2Fid436352457%3Fmt%3D8"
            << "Share on facebook";
        QTest::newRow("twitter, C") << 1 << "C"
            << "http://twitter.com/share?url=http://itunes.apple.com/US/app/id436352457&text=Korvane%20Vandel%20for%20iPhone,%20and%20iPad:%20%20"
            << "Share on twitter";
        QTest::newRow("product") << 2 << "de_DE" << "http://www.zentrik.example/iphone/korvane-vandel" << "Korvane Vandel";
        QTest::newRow("feedback") << 3 << "de_DE" << "http://www.zentrik.example/iphone/korvane-vandel/feedback" << "Feedback";
        QTest::newRow("faq") << 4 << "de_DE" << "http://www.zentrik.example/iphone/korvane-vandel/faq" << "FAQ";
        QTest::newRow("5: site, title kept") << 5 << "de_DE" << "http://www.zentrik.example" << "";
        QTest::newRow("255: site, title kept") << 255 << "de_DE" << "http://www.zentrik.example" << "";
    }
    void buildPath()
    {
        QFETCH(int, code);
        QFETCH(QString, locale);
        QFETCH(QString, url);
        QFETCH(QString, title);
        Localization::setLocaleOverride(locale);
        ShareWithWebViewController page;
        page.m_shareService = uint8_t(code);
        QCOMPARE(page.buildPath(false), url);
        QCOMPARE(page.title(), title);
    }

    // A display name with a space makes the Twitter text an invalid URL:
    // the page falls back to the fixed name once.
    void invalidNameFallsBackToFixedName()
    {
        Localization::setLocaleOverride(QStringLiteral("en_US"));
        DisplayNameTranslator name(QStringLiteral("Korvane Neo"));
        QCoreApplication::installTranslator(&name);
        RecordingPage page;
        page.m_shareService = 1;
        QVERIFY(page.buildPath(false).contains(QLatin1String("&text=Korvane Neo%20Vandel")));
        page.view();
        QCoreApplication::removeTranslator(&name);
        QCOMPARE(page.requestedURL().query(QUrl::FullyEncoded),
                 QStringLiteral("url=http://itunes.apple.com/US/app/id436352457"
                                "&text=Korvane%20Vandel%20for%20iPhone,%20and%20iPad:%20%20"));
        // The engine may ask for a favicon right after the page, so the share
        // request is looked for among all of them, not taken as the last.
        const auto shareRequest = [] {
            const auto all = webTestServer().requests();
            const auto it = std::find_if(all.cbegin(), all.cend(), [](const auto &r) {
                return r.target.startsWith("/share?");
            });
            return it == all.cend() ? QByteArray() : it->target;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!shareRequest().isEmpty(), kLoadTimeoutMs);
        QCOMPARE(shareRequest(),
                 QByteArray("/share?url=http://itunes.apple.com/US/app/id436352457"
                            "&text=Korvane%20Vandel%20for%20iPhone,%20and%20iPad:%20%20"));
        page.done();
    }

    // The real engine against a loopback server: the status line through a
    // good load, a missing page and a refused connection.
    void loadStatus_data()
    {
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<bool>("overlayHidden");
        QTest::newRow("good") << 200 << false
            << QStringList{"loading request", "loading", "finish loading"} << true;
        QTest::newRow("404") << 404 << false
            << QStringList{"loading request", "loading",
                           "failed: No webpage was found for the web address: "} << false;
        QTest::newRow("refused") << 200 << true
            << QStringList{"loading request", "loading", "failed: The site refused the connection."}
            << false;
    }
    void loadStatus()
    {
        QFETCH(int, httpStatus);
        QFETCH(bool, refused);
        QFETCH(QStringList, statuses);
        QFETCH(bool, overlayHidden);
        LoopbackHttpServer& server = webTestServer();
        server.setHandler([httpStatus](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response r;
            r.status = httpStatus;
            r.contentType = "text/html";
            r.body = "<html><body><h1>Korvane Vandel</h1></body></html>";
            return r;
        });
        if (refused) {
            // A port that was free a moment ago: nobody listens there.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            const quint16 port = probe.serverPort();
            probe.close();
            const QByteArray serverHost = qgetenv("KORVANE_WEB_HOST");
            qputenv("KORVANE_WEB_HOST", QByteArray("127.0.0.1:") + QByteArray::number(port));
            RecordingPage page;
            page.m_shareService = 0;
            page.view();
            QTRY_VERIFY_WITH_TIMEOUT(page.statuses.filter(QStringLiteral("failed")).size() > 0,
                                     kLoadTimeoutMs);
            qputenv("KORVANE_WEB_HOST", serverHost);
            QCOMPARE(page.statuses.mid(0, 2), statuses.mid(0, 2));
            QVERIFY2(page.statuses.last().startsWith(statuses.last()),
                     qPrintable(page.statuses.join('|')));
            QVERIFY(!page.m_activityView->isHidden());
            QVERIFY(!page.m_activityIndicator->isAnimating());
            page.done();
            return;
        }
        RecordingPage page;
        page.m_shareService = 0;
        page.view();
        QTRY_VERIFY_WITH_TIMEOUT(page.statuses.size() >= statuses.size(), kLoadTimeoutMs);
        QCOMPARE(page.statuses.size(), statuses.size());
        for (int i = 0; i < statuses.size(); ++i)
            QVERIFY2(page.statuses[i].startsWith(statuses[i]), qPrintable(page.statuses.join('|')));
        QCOMPARE(page.m_activityView->isHidden(), overlayHidden);
        QVERIFY(!page.m_activityIndicator->isAnimating());
        QVERIFY(std::any_of(server.requests().cbegin(), server.requests().cend(),
                            [](const LoopbackHttpServer::Request& r) {
                                return r.target.startsWith("/share.php?u=");
                            }));
        page.done();
    }

    // The maker's pages ship with the app: every one loads in every
    // language without a request leaving the process (all others would
    // reach the loopback server), with the version filled in.
    void shippedPages_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("folder");
        const QString product = QStringLiteral("iphone/korvane-vandel/");
        for (const char* locale : {"en_US", "de_DE", "fr_FR", "pt_PT", "pt_BR"}) {
            QString language = QString::fromLatin1(locale);
            if (language != QLatin1String("pt_BR"))
                language = language.left(2);
            for (const QString& page : {QString(), product, product + QStringLiteral("faq/"),
                                        product + QStringLiteral("feedback/")})
                QTest::addRow("%s /%s", locale, qPrintable(page))
                    << QString::fromLatin1(locale) << language + QLatin1Char('/') + page;
        }
    }
    void shippedPages()
    {
        QFETCH(QString, locale);
        QFETCH(QString, folder);
        Localization::setLocaleOverride(locale);
        LoopbackHttpServer& server = webTestServer();
        const qsizetype before = server.requests().size();
        QFile source(QStringLiteral(":/site/") + folder + QStringLiteral("index.html"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(source.readAll());
        QString title = html.section(QStringLiteral("<title>"), 1).section(QStringLiteral("</title>"), 0, 0);
        QVERIFY(!title.isEmpty());
        const QString path = folder.section(QLatin1Char('/'), 1);
        const int service = path.isEmpty() ? 255 : path.endsWith(QLatin1String("faq/")) ? 4
                            : path.endsWith(QLatin1String("feedback/"))                ? 3
                                                                                        : 2;
        RecordingPage page;
        page.m_shareService = uint8_t(service);
        page.view();
        QTRY_VERIFY_WITH_TIMEOUT(page.statuses.contains(QStringLiteral("finish loading")) ||
                                     !page.statuses.filter(QStringLiteral("failed")).isEmpty(),
                                 kLoadTimeoutMs);
        QVERIFY2(page.statuses.contains(QStringLiteral("finish loading")),
                 qPrintable(page.statuses.join('|')));
        QTRY_COMPARE(page.webView()->pageTitle(), title.replace(QStringLiteral("&amp;"), QStringLiteral("&")));
        QCOMPARE(server.requests().size(), before);
        if (service == 3)
            QVERIFY(html.contains(QLatin1String("{{VERSION}}")));
        page.done();
    }

    // Done during a load that never answers stops it and closes the page.
    void doneStopsSlowLoad()
    {
        webTestServer().setHandler([](const LoopbackHttpServer::Request&) {
            LoopbackHttpServer::Response r;
            r.hang = true;
            return r;
        });
        ViewController root;
        QWidget* host = root.view();
        host->resize(320, 568);
        host->show();
        QPointer<RecordingPage> page = new RecordingPage;
        page->m_shareService = 3;
        root.presentViewController(page, false);
        QTRY_VERIFY_WITH_TIMEOUT(page->webView()->isLoading(), kLoadTimeoutMs);
        page->done();
        QVERIFY(!page || !page->webView()->isLoading());
        QVERIFY(!root.presentedViewController());
        QTRY_VERIFY(!page);
    }
};

KORVANE_REGISTER_TEST(TestShareWithWebViewController);
#include "tst_ShareWithWebViewController.moc"

#include "AdTestSupport.h"
#include "Application.h"
#include "GADHouseNetwork.h"
#include "GADMobileAds.h"
#include "TestMain.h"

#include <QPushButton>
#include <QTest>
#include <memory>

class TestGADBannerView : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> root;
    std::unique_ptr<GADBannerView> banner;
    RecordingBannerDelegate delegate;
    QList<QUrl> opened;

    QString shownId() const
    {
        return banner->creative() ? banner->creative()->identifier : QString();
    }
    void makeBanner(const QString& unit, QWidget* rootView, QSizeF size = {320, 50})
    {
        banner = std::make_unique<GADBannerView>(GADAdSizeFromSize(size), root.get());
        banner->setAdUnitID(unit);
        banner->setRootViewController(rootView);
        banner->setDelegate(&delegate);
    }
    void load() { banner->loadRequest(GADRequest::request()); }

private slots:
    void init()
    {
        qunsetenv(GADMobileAds::kServerEnvironmentVariable);
        QVERIFY(GADHouseNetwork::shared().loadManifest(manifest({"a", "b", "c"})));
        root = std::make_unique<QWidget>();
        root->resize(320, 568);
        root->show();
        delegate = RecordingBannerDelegate();
        makeBanner(kTestUnit, root.get());
        opened.clear();
        Application::shared().setOpenURLHandler([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    void cleanup()
    {
        banner.reset();
        root.reset();
        Application::shared().setOpenURLHandler({});
        GADHouseNetwork::shared().reset();
    }

    void answersLaterAndRotatesTheHouseAdsOnEachRefresh()
    {
        load();
        QVERIFY2(delegate.events.isEmpty(), "the answer must come later");
        QTRY_COMPARE(delegate.events, QStringList{"receive"});
        QVERIFY(banner->isRefreshScheduled());
        QStringList shown{shownId()};
        for (int i = 0; i < 3; ++i) {
            banner->refresh();
            QTRY_COMPARE(delegate.events.size(), i + 2);
            shown << shownId();
        }
        QCOMPARE(shown, (QStringList{"a", "b", "c", "a"}));
        QCOMPARE(delegate.events.count("receive"), 4);
    }

    void invalidRequestsFail_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("hasRoot");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("succeeds");
        const QSizeF size(320, 50);
        QTest::newRow("valid") << kTestUnit << true << size << true;
        QTest::newRow("empty unit") << QString() << true << size << false;
        QTest::newRow("short publisher")
            << "ca-app-pub-123456789012345/1234567890" << true << size << false;
        QTest::newRow("letters") << "ca-app-pub-12345678901234ab/1234567890" << true << size
                                 << false;
        QTest::newRow("no root view") << kTestUnit << false << size << false;
        QTest::newRow("empty size") << kTestUnit << true << QSizeF(0, 50) << false;
    }
    void invalidRequestsFail()
    {
        QFETCH(QString, unit);
        QFETCH(bool, hasRoot);
        QFETCH(QSizeF, size);
        QFETCH(bool, succeeds);
        makeBanner(unit, hasRoot ? root.get() : nullptr, size);
        load();
        QTRY_COMPARE(delegate.events, QStringList{succeeds ? "receive" : "fail"});
        if (!succeeds)
            QCOMPARE(delegate.errors.first().code, int(kGADErrorInvalidRequest));
    }

    void noFillKeepsTheAdOnShowAndKeepsAsking()
    {
        load();
        QTRY_COMPARE(delegate.events, QStringList{"receive"});
        QVERIFY(GADHouseNetwork::shared().loadManifest("{}"));
        banner->refresh();
        QTRY_COMPARE(delegate.events, (QStringList{"receive", "fail"}));
        QCOMPARE(delegate.errors.first().code, int(kGADErrorNoFill));
        QCOMPARE(shownId(), QStringLiteral("a"));
        QVERIFY(banner->isRefreshScheduled());
    }

    void aNewLoadSupersedesThePendingOne()
    {
        load();
        load();
        QTRY_VERIFY(banner->hasAd());
        QCoreApplication::processEvents();
        QCOMPARE(delegate.events, QStringList{"receive"});
        QCOMPARE(shownId(), QStringLiteral("b"));
    }

    void delegateMayDestroyTheBanner()
    {
        delegate.onEvent = [this] { banner.reset(); };
        load();
        QTRY_VERIFY(!banner);
        QCoreApplication::processEvents();
        QCOMPARE(delegate.events, QStringList{"receive"});
    }

    void clickPresentsTheFullScreenContentFromTheRootView()
    {
        load();
        QTRY_VERIFY(banner->hasAd());
        QTest::mouseClick(banner.get(), Qt::LeftButton, {}, QPoint(100, 25));
        QPointer<QWidget> screen = banner->presentedScreen();
        QVERIFY(screen);
        QCOMPARE(screen->parentWidget(), root.get());
        root->resize(568, 320);
        QCOMPARE(screen->geometry(), root->rect());
        screen->findChild<QPushButton*>("closeButton")->click();
        QCOMPARE(delegate.events,
                 (QStringList{"receive", "willPresent", "willDismiss", "didDismiss"}));
        QTRY_VERIFY(!screen);
        QVERIFY(opened.isEmpty());

        delegate.events.clear();
        banner->presentScreen();
        banner->presentedScreen()->findChild<QPushButton*>("openButton")->click();
        QCOMPARE(opened, QList<QUrl>{banner->creative()->clickURL});
        QCOMPARE(delegate.events,
                 (QStringList{"willPresent", "willLeave", "willDismiss", "didDismiss"}));
    }

    void newAdSizeResizesAndAsksForAFittingAd()
    {
        load();
        QTRY_COMPARE(delegate.events.size(), 1);
        banner->setAdSize(GADAdSizeFromSize(QSizeF(1024, 90)));
        QCOMPARE(banner->size(), QSize(1024, 90));
        QTRY_COMPARE(delegate.events, (QStringList{"receive", "receive"}));
    }
};

KORVANE_REGISTER_TEST(TestGADBannerView);
#include "tst_GADBannerView.moc"

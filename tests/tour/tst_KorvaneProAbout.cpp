#include "AlphaView.h"
#include "Application.h"
#include "Button.h"
#include "KorvaneProAbout.h"
#include "KorvaneProAboutPad.h"
#include "Property.h"
#include "SegmentedControl.h"
#include "StoreLinks.h"
#include "StretchableImageView.h"
#include "FreshStoreTest.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QLabel>
#include <QTest>
#include <memory>

namespace {
// Runs the slide animation's ticks until the strip rests.
void settle(KorvaneProAbout& tour)
{
    for (int i = 0; i < 1000 && tour.viewAnimationTimer.isRunning(); ++i)
        tour.viewAnimationControllFunc();
    QVERIFY(!tour.viewAnimationTimer.isRunning());
}

float pageX(int page)
{
    return 160.0f - KorvaneProAbout::kPageWidth * float(page);
}

struct Delegate : KorvaneProAboutDelegate {
    QObject* finished = nullptr;
    void KorvaneProAboutDidFinish(QObject* sender) override { finished = sender; }
};
} // namespace

class TestKorvaneProAbout : public FreshStoreTest {
    Q_OBJECT

private slots:
    // Opened on page 3 the strip slides there with neither control lit; the
    // show then bounces 4, 5, 6, 5, … after 5 s and then every 4 s. On a
    // 568-point screen the badge stands at (160, 480), fully visible.
    void slideShowFromPage3()
    {
        KorvaneProAbout tour;
        tour.view();
        tour.setInitSegment(3);
        settle(tour);
        QVERIFY(std::abs(tour.stripPosition() - pageX(3)) < 3.0f);
        QCOMPARE(tour.segment1->selectedSegmentIndex(), -1);
        QCOMPARE(tour.segment2->selectedSegmentIndex(), -1);
        QCOMPARE(QRectF(tour.m_aviableAppStore->geometry()).center(), QPointF(160, 480));
        QCOMPARE(tour.m_aviableAppStore->alpha(), 1.0f);
        QVERIFY(tour.rotateAnimationTimer.isRunning());
        QCOMPARE(tour.rotateAnimationTimer.interval(), 5.0);

        QList<int> shown;
        for (int step = 0; step < 10; ++step) {
            tour.rotateSegmetnsFunction();
            QCOMPARE(tour.rotateAnimationTimer.interval(), 4.0);
            settle(tour);
            shown << tour.currentPage();
            QVERIFY(std::abs(tour.stripPosition() - pageX(shown.last())) < 3.0f);
        }
        QCOMPARE(shown, (QList<int>{4, 5, 6, 5, 4, 3, 2, 1, 0, 1}));
    }

    // A drag stops the show for good; the release settles on the nearest
    // page, and beyond either end on that end.
    void dragPaging_data()
    {
        QTest::addColumn<float>("dx");
        QTest::addColumn<int>("page");
        QTest::newRow("less than half back") << -100.0f << 3;
        QTest::newRow("more than half on") << -200.0f << 4;
        QTest::newRow("more than half back") << 200.0f << 2;
        QTest::newRow("past the first") << 2000.0f << 0;
        QTest::newRow("past the last") << -5000.0f << 6;
    }
    void dragPaging()
    {
        QFETCH(float, dx);
        QFETCH(int, page);
        KorvaneProAbout tour;
        tour.view();
        tour.setInitSegment(3);
        settle(tour);
        tour.touchesMoved(dx / 2);
        tour.touchesMoved(dx / 2);
        QVERIFY(tour.m_didTouche);
        QVERIFY(!tour.rotateAnimationTimer.isRunning());
        tour.touchesEnded();
        settle(tour);
        QCOMPARE(tour.currentPage(), page);
        QVERIFY(std::abs(tour.stripPosition() - pageX(page)) < 3.0f);
        QVERIFY(!tour.rotateAnimationTimer.isRunning());
    }

    // The altitude demo runs on its page only, and rewrites the read-out on
    // two ticks out of twenty.
    void altitudeDemo()
    {
        KorvaneProAbout tour;
        tour.view();
        tour.setSegment(5);
        QVERIFY(!tour.altitudeTimer.isRunning());
        tour.segment2->segment(2)->click();
        QVERIFY(tour.altitudeTimer.isRunning());
        int rewrites = 0;
        QString last = tour.m_altitude_value_Label->text();
        for (int tick = 0; tick < 20; ++tick) {
            tour.altitudeTimerFunction();
            rewrites += tour.m_altitude_value_Label->text() != last;
            last = tour.m_altitude_value_Label->text();
        }
        QCOMPARE(rewrites, 2);
        tour.setSegment(0);
        QVERIFY(!tour.altitudeTimer.isRunning());
    }

    void rangeLabel_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("text");
        QTest::newRow("km/h") << 0 << "[140 | 220 | 280 | 440 | 999] km/h";
        QTest::newRow("mph") << 1 << "[100 | 180 | 220 | 360 | 999] mph";
        QTest::newRow("knots") << 2 << "[30 | 60 | 90 | 120 | 999] knot";
    }
    void rangeLabel()
    {
        QFETCH(int, unit);
        QFETCH(QString, text);
        Property::instance()->setSpeedUnit(unit);
        KorvaneProAbout tour;
        tour.view();
        QCOMPARE(tour.m_LableSheet5->text(), text);
    }

    // Done stops every timer and tells the delegate once.
    void doneStopsEverything()
    {
        Delegate d;
        KorvaneProAbout tour;
        tour.delegate = &d;
        tour.view();
        tour.setInitSegment(3);
        tour.done2();
        QCOMPARE(d.finished, &tour);
        QVERIFY(!tour.delegate);
        for (RepeatingTimer* t : {&tour.viewAnimationTimer, &tour.rotateAnimationTimer,
                                  &tour.aviableAppStoreAnimationTimer, &tour.alertBlinkTimer,
                                  &tour.altitudeTimer})
            QVERIFY(!t->isRunning());
    }

    // Each form wires its own keys: the store keys open the paid edition's
    // store page and nothing else, the done key closes the tour.
    void keysOfEachForm_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("opensStore");
        QTest::newRow("phone badge") << false << "m_aviableAppStoreButton" << true;
        QTest::newRow("phone done") << false << "m_doneButton" << false;
        for (const char* key :
             {"m_AppStoreButton", "m_DownloadButton", "m_PlusLeftButton", "m_PlusRightButton"})
            QTest::newRow(qPrintable(QStringLiteral("tablet ") + QLatin1String(key)))
                << true << key << true;
        QTest::newRow("tablet back") << true << "m_BackButton" << false;
    }
    void keysOfEachForm()
    {
        QFETCH(bool, tablet);
        QFETCH(QString, key);
        QFETCH(bool, opensStore);
        Delegate d;
        std::unique_ptr<KorvaneProAbout> tour =
            tablet ? std::make_unique<KorvaneProAboutPad>() : std::make_unique<KorvaneProAbout>();
        tour->delegate = &d;
        auto* button = tour->view()->findChild<QAbstractButton*>(key);
        QVERIFY(button);
        QList<QUrl> opened;
        Application::shared().setOpenURLHandler([&](const QUrl& url) {
            opened << url;
            return true;
        });
        button->click();
        Application::shared().setOpenURLHandler({});
        QCOMPARE(opened.size(), opensStore ? 1 : 0);
        if (opensStore)
            QCOMPARE(opened.first(), StoreLinks::storePageURL(StoreLinks::kKorvaneProStoreId));
        QCOMPARE(d.finished, opensStore ? nullptr : tour.get());
    }

    // The tablet swaps features with the orientation; its light blinks 11
    // times while shown, then stays dark.
    void padRotationAndBlink()
    {
        KorvaneProAboutPad tour;
        auto* view = static_cast<KorvaneProAboutViewPad*>(tour.view());
        for (bool landscape : {true, false, true}) {
            view->resize(landscape ? QSize(1024, 768) : QSize(768, 1024));
            view->layoutSubviews();
            QCOMPARE(view->m_AlertView->isHidden(), !landscape);
            QCOMPARE(view->m_Altitude_View->isHidden(), landscape);
            QCOMPARE(view->m_Direction_maxAvg_Lable->text(),
                     landscape ? QStringLiteral("max. ∅ speed ") : QStringLiteral("travel direction "));
            QCOMPARE(view->m_Direction_maxAvg_image->imageName(),
                     landscape ? QStringLiteral("max-avg.png") : QStringLiteral("compass.png"));
            QCOMPARE(QRectF(view->m_BackButton->geometry()).center(),
                     landscape ? QPointF(512, 735) : QPointF(384, 985));
        }
        for (int toggle = 0; toggle < 11; ++toggle) {
            QVERIFY(tour.alertBlinkTimer.isRunning());
            tour.alertBlinkTimerFunction();
        }
        QVERIFY(!tour.alertBlinkTimer.isRunning());
        QVERIFY(tour.m_SpeedAlertFlashImageView->isHidden());
    }
};

KORVANE_REGISTER_TEST(TestKorvaneProAbout);
#include "tst_KorvaneProAbout.moc"

#include "Application.h"
#include "Button.h"
#include "DownloadViewControllerPhone.h"
#include "DownloadViewPad.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QLabel>
#include <QTest>
#include <memory>

class TestDownloadViewControllerPhone : public QObject {
    Q_OBJECT

private slots:
    // Entry 3 gives way on a short screen; without a translation every text
    // is the English default.
    void shortScreensAndDefaults_data()
    {
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<bool>("entryThreeShown");
        QTest::newRow("480-point screen") << 480 << false;
        QTest::newRow("568-point screen") << 568 << true;
    }
    void shortScreensAndDefaults()
    {
        QFETCH(int, screenHeight);
        QFETCH(bool, entryThreeShown);
        TestEnvironment env;
        QWidget screen;
        screen.resize(320, screenHeight);
        Application::shared().setMainWindow(&screen);
        DownloadViewControllerPhone page;
        QWidget* v = page.view();
        v->show();
        Application::shared().setMainWindow(nullptr);

        QCOMPARE(page.m_button_apps_top_tittle_Label->isVisible(), entryThreeShown);
        QCOMPARE(page.m_button_apps_top_descrption_Label->isVisible(), entryThreeShown);
        QCOMPARE(page.m_Button_apps_top_button->isVisible(), entryThreeShown);
        QVERIFY(page.m_button_apps_button_tittle_Label->isVisible());
        QCOMPARE(page.m_recomend_title_Label->text(), QStringLiteral("Recommended Apps"));
        QCOMPARE(page.m_top_apps_top_tittle_Label->text(), QStringLiteral("Korvane Ostrin"));
        QCOMPARE(page.m_top_apps_top_descrption_Label->text(),
                 QStringLiteral("Acceleration in sec, speed alert, digital, HUD..."));

        // Each icon leads to its own store page.
        QList<QUrl> opened;
        Application::shared().setOpenURLHandler([&](const QUrl& url) {
            opened << url;
            return true;
        });
        for (Button* icon : v->findChildren<Button*>())
            if (!icon->imageName().isEmpty())
                icon->click();
        Application::shared().setOpenURLHandler({});
        QCOMPARE(opened.size(), 4);
        QCOMPARE(QSet<QUrl>(opened.begin(), opened.end()).size(), 4);
        for (const QUrl& url : opened)
            QVERIFY2(url.scheme() == u"itms-apps" && url.path().startsWith(u"/app/id") &&
                         url.query() == u"mt=8",
                     qPrintable(url.toString()));
    }

    void tabletGroupsFollowOrientation()
    {
        TestEnvironment env;
        DownloadViewControllerPad page;
        auto* v = static_cast<DownloadViewPad*>(page.view());
        v->show();
        QCOMPARE(v->m_top_of_top_apps_top_tittle_Label->text(), QStringLiteral("Korvane Ostrin"));
        QVERIFY(page.m_top_apps_top_tittle_Label->text() != QStringLiteral("Korvane Ostrin"));

        v->resize(768, 975);
        QCOMPARE(v->m_top_apps_View->geometry().center().x(),
                 v->m_button_apps_View->geometry().center().x());
        QVERIFY(v->m_top_apps_View->geometry().bottom() < v->m_button_apps_View->geometry().top());
        v->resize(1024, 719);
        QCOMPARE(v->m_top_apps_View->geometry().center().y(),
                 v->m_button_apps_View->geometry().center().y());
        QVERIFY(v->m_top_apps_View->geometry().right() < v->m_button_apps_View->geometry().left());
        QVERIFY(v->m_top_apps_View->geometry().right() < v->width() &&
                v->m_button_apps_View->geometry().right() < v->width());
    }
};

KORVANE_REGISTER_TEST(TestDownloadViewControllerPhone);
#include "tst_DownloadViewControllerPhone.moc"

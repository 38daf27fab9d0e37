#include "Application.h"
#include "Button.h"
#include "DownloadViewControllerPhone.h"
#include "IDSControllerPhone.h"
#include "MainView.h"
#include "MainViewController.h"
#include "MainViewControllerPad.h"
#include "NavigationItem.h"
#include "Property.h"
#include "SettingsViewControllerPhone.h"
#include "SettingsViewPhone.h"
#include "StageWindow.h"
#include "FreshStoreTest.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

class TestPageContainer : public FreshStoreTest {
    Q_OBJECT

private slots:
    // Each opening builds a fresh container of the device family's classes
    // on the requested tab; closing it forgets everything.
    void opensOnRequestedTab_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::addColumn<int>("page");
        QTest::newRow("phone info") << false << 0;
        QTest::newRow("phone settings") << false << 1;
        QTest::newRow("tablet apps") << true << 2;
    }
    void opensOnRequestedTab()
    {
        QFETCH(bool, tablet);
        QFETCH(int, page);
        std::unique_ptr<MainViewController> c(tablet ? new MainViewControllerPad
                                                     : new MainViewController);
        c->addProperty(Property::instance());
        QPointer<ViewController> previousSettings;
        for (int round = 0; round < 2; ++round) {
            c->showIDSView(page, true);
            TabBarController* container = c->pageContainer();
            QVERIFY(container);
            QCOMPARE(bool(qobject_cast<IDSControllerPad*>(container)), tablet);
            QCOMPARE(container->selectedIndex(), page);
            QVERIFY(container->tabBar()->button(page)->isChecked());
            QCOMPARE(container->tabBar()->button(0)->text(), QStringLiteral("Info"));
            QCOMPARE(container->tabBar()->button(1)->text(), QStringLiteral("Settings"));
            QCOMPARE(container->tabBar()->button(2)->text(), QStringLiteral("Downloads"));
            QVERIFY(c->m_SettingsViewContorller);
            QCOMPARE(bool(qobject_cast<SettingsViewControllerPad*>(c->m_SettingsViewContorller)),
                     tablet);
            QVERIFY(c->m_SettingsViewContorller != previousSettings);
            QVERIFY(c->mainView->m_onFlipView);
            previousSettings = c->m_SettingsViewContorller;

            // Switching tabs is the container's own business.
            container->tabBar()->button((page + 1) % 3)->click();
            QCOMPARE(container->selectedIndex(), (page + 1) % 3);

            c->dismissISDView(nullptr);
            QVERIFY(!c->pageContainer());
            QVERIFY(!c->m_SettingsViewContorller);
            QVERIFY(!c->mainView->m_onFlipView);
            QTest::qWait(0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!previousSettings);
        }
    }

    // A unit chosen on the settings page shows on the gauge as the page closes.
    void newUnitShowsAtOnce()
    {
        MainViewController c;
        c.addProperty(Property::instance());
        c.showSettings();
        auto* settings =
            static_cast<SettingsViewControllerPhone*>(c.m_SettingsViewContorller.data());
        settings->settingsView()->m_unit_mph_button->click();
        settings->m_naviItm->doneButton()->click();
        QVERIFY(!c.pageContainer());
        QString unitName;
        for (const FaceElement& e : c.mainView->faceElements())
            if (e.kind == FaceElement::Kind::UnitName)
                unitName = e.text;
        QCOMPARE(unitName, QStringLiteral("MPH"));
    }

    // On a keyboard: Tab walks the page's controls, Return presses the one
    // with the focus, Escape closes the page.
    void keyboard()
    {
        StageWindow window(StageWindow::phoneDesignSize);
        window.resize(360, 640);
        Application::shared().setMainWindow(&window);
        MainViewController c;
        auto* layout = new QVBoxLayout(window.stage());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(c.view());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        c.addProperty(Property::instance());
        c.showSettings();
        auto* settings =
            static_cast<SettingsViewControllerPhone*>(c.m_SettingsViewContorller.data());
        QWidget* target = window.viewport();
        for (int i = 0;
             i < 8 && window.stage()->focusWidget() != settings->settingsView()->m_unit_knot_button;
             ++i)
            QTest::keyClick(target, Qt::Key_Tab);
        QCOMPARE(window.stage()->focusWidget(), settings->settingsView()->m_unit_knot_button);
        QTest::keyClick(target, Qt::Key_Return);
        QTRY_COMPARE(Property::instance()->m_speedUnit, 2);
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!c.pageContainer());
        Application::shared().setMainWindow(nullptr);
    }
};

KORVANE_REGISTER_TEST(TestPageContainer);
#include "tst_PageContainer.moc"

#include "Button.h"
#include "Property.h"
#include "SettingsViewControllerPhone.h"
#include "SettingsViewPhone.h"
#include "FreshStoreTest.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QLabel>
#include <QProcess>
#include <QTest>
#include <memory>

namespace {
// The settings file as another process sees it on disk.
QString settingsOnDisk(const TestEnvironment& env)
{
    QProcess cat;
    cat.start(QStringLiteral("cat"), {env.settingsFile()});
    cat.waitForFinished();
    return QString::fromUtf8(cat.readAllStandardOutput());
}

QList<Button*> segments(SettingsViewPhone* v)
{
    return {v->m_unit_kmh_button, v->m_unit_mph_button, v->m_unit_knot_button};
}

int selectedSegment(SettingsViewPhone* v)
{
    int index = -1, count = 0;
    const QList<Button*> all = segments(v);
    for (int i = 0; i < all.size(); ++i)
        if (all[i]->isSelected()) {
            index = i;
            ++count;
        }
    return count == 1 ? index : -2;
}
} // namespace

class TestSettingsViewPhone : public FreshStoreTest {
    Q_OBJECT

    SettingsViewPhone* open(std::unique_ptr<SettingsViewControllerPhone>& page, int unit,
                            double meters, bool tablet = false)
    {
        Property* store = Property::instance();
        store->setSpeedUnit(unit);
        store->saveDoubleProperty(QStringLiteral("distanceTraveled_Meter"), meters);
        Property::reloadForTesting();
        page.reset(tablet ? new SettingsViewControllerPad : new SettingsViewControllerPhone);
        page->view();
        return page->settingsView();
    }

private slots:
    void readOutAndSegments_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("meters");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("segment");
        QTest::newRow("miles of 1609 m") << 1 << 16090.0 << "mi"
                                         << "10.0" << 1;
        QTest::newRow("nautical miles") << 2 << 1852.0 << "nmi"
                                        << "1.0" << 2;
        QTest::newRow("kilometres, rounded") << 0 << 1049.0 << "km"
                                             << "1.0" << 0;
        QTest::newRow("unknown unit reads as knots") << 7 << 1852.0 << "nmi"
                                                     << "1.0" << 2;
    }
    void readOutAndSegments()
    {
        QFETCH(int, unit);
        QFETCH(double, meters);
        QFETCH(QString, unitText);
        QFETCH(QString, value);
        QFETCH(int, segment);
        std::unique_ptr<SettingsViewControllerPhone> page;
        SettingsViewPhone* v = open(page, unit, meters);
        QCOMPARE(v->m_dis_Unit_Lable->text(), unitText);
        QCOMPARE(v->m_dist_Value_Lable->text(), value);
        QCOMPARE(selectedSegment(v), segment);
        QCOMPARE(v->m_dist_Value_Lable->font().family(), QStringLiteral("iSDigitIta_AndSymb"));
    }

    // Every press, even on the selected segment, stores the unit at once
    // (on disk, for the next process) and leaves exactly one selected; a
    // reset reads 0.0 in every unit.
    void pressesAndReset()
    {
        std::unique_ptr<SettingsViewControllerPhone> page;
        SettingsViewPhone* v = open(page, 0, 5000.0);
        const struct {
            int segment;
            const char* unitText;
            const char* value;
        } presses[] = {{0, "km", "5.0"}, {1, "mi", "3.1"}, {1, "mi", "3.1"}, {2, "nmi", "2.7"}};
        for (const auto& press : presses) {
            QTest::mouseClick(segments(v)[press.segment], Qt::LeftButton);
            QCOMPARE(selectedSegment(v), press.segment);
            QCOMPARE(v->m_dis_Unit_Lable->text(), QLatin1String(press.unitText));
            QCOMPARE(v->m_dist_Value_Lable->text(), QLatin1String(press.value));
            QVERIFY2(
                settingsOnDisk(*env).contains(QStringLiteral("speedUnit=%1").arg(press.segment)),
                qPrintable(settingsOnDisk(*env)));
        }
        for (int unit : {2, 0, 1}) {
            QTest::mouseClick(segments(v)[unit], Qt::LeftButton);
            QTest::mouseClick(v->m_dist_reset_button, Qt::LeftButton);
            QCOMPARE(v->m_dist_Value_Lable->text(), QStringLiteral("0.0"));
        }
    }

    void tabletPanelStaysCentred()
    {
        std::unique_ptr<SettingsViewControllerPhone> page;
        auto* v = static_cast<SettingsViewPad*>(open(page, 0, 1.0, true));
        v->show();
        for (const auto& [size, centre] : {std::pair{QSize(1024, 719), QPoint(512, 384)},
                                           std::pair{QSize(768, 975), QPoint(384, 512)},
                                           std::pair{QSize(800, 800), QPoint(512, 384)}}) {
            v->resize(size);
            QCOMPARE(v->m_ViewTop_Left->geometry().center() + QPoint(1, 1), centre);
        }
    }
};

KORVANE_REGISTER_TEST(TestSettingsViewPhone);
#include "tst_SettingsViewPhone.moc"

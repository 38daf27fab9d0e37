#include "Bundle.h"
#include "Button.h"
#include "InfoViewControllerPhone.h"
#include "InfoViewPad.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTranslator>
#include <memory>

namespace {
// The review invitation as a translation would give it.
class InvitationTranslator : public QTranslator {
public:
    explicit InvitationTranslator(QString text) : m_text(std::move(text)) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return qstrcmp(context, "moreApps") == 0 && qstrcmp(source, "AppRecomendText") == 0
                   ? m_text
                   : QString();
    }

private:
    QString m_text;
};
} // namespace

class TestInfoViewControllerPhone : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnvironment> env;

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        Bundle::setVersionOverride(QString());
        qunsetenv("XDG_DATA_HOME");
        env.reset();
    }

    void reviewInvitation_data()
    {
        QTest::addColumn<QString>("translated");
        QTest::addColumn<QString>("shown");
        QTest::newRow("default") << QString()
            << "If you like Korvane Vandel don't forget to write a review ☺ ➟";
        QTest::newRow("no placeholder") << "Rate us!" << "Rate us!";
        // No tables are loaded here: the name shows as its key.
        QTest::newRow("twice") << "_AppName_ & _AppName_" << "KorvaneFree & KorvaneFree";
    }
    void reviewInvitation()
    {
        QFETCH(QString, translated);
        QFETCH(QString, shown);
        InvitationTranslator translator(translated);
        if (!translated.isEmpty())
            QCoreApplication::installTranslator(&translator);
        InfoViewControllerPhone page;
        page.view();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(page.reviewAnimationButton->text(), shown);
    }

    // The version line states this build's word size; without a mail
    // client the e-mail button is hidden and the others stay.
    void versionAndMailButton()
    {
        Bundle::setVersionOverride(QStringLiteral("2.3"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(env->path()));
        InfoViewControllerPad page;
        page.view();
        QCOMPARE(page.versionLabel->text(),
                 QStringLiteral("2.3  %1-Bit").arg(sizeof(void*) == 8 ? 64 : 32));
        QCOMPARE(page.eRecommendButton->isHidden(), true);
        for (const char* other : {"m_facebookButton", "m_twitterButton", "m_wwwButton"})
            QVERIFY(!page.view()->findChild<Button*>(QLatin1String(other))->isHidden());
    }

    void padPanelStaysCentred()
    {
        InfoViewControllerPad page;
        auto* view = static_cast<InfoViewPad*>(page.view());
        view->show();
        view->resize(1024, 768);
        QCOMPARE(QRectF(view->m_info_View->geometry()).center(), QPointF(512, 384));
        view->resize(768, 1024);
        QCOMPARE(QRectF(view->m_info_View->geometry()).center(), QPointF(384, 512));
    }
};

KORVANE_REGISTER_TEST(TestInfoViewControllerPhone);
#include "tst_InfoViewControllerPhone.moc"

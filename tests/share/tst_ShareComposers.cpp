#include "Localization.h"
#include "MailComposer.h"
#include "ShareComposers.h"
#include "ShareWithWebViewController.h"
#include "SocialComposer.h"
#include "TestEnvironment.h"
#include "TestMain.h"
#include "WebTestServer.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QUrlQuery>
#include <memory>

namespace {
using Service = SocialComposer::ServiceType;

void setAvailable(bool facebook, bool twitter, bool weibo)
{
    SocialComposer::setAvailableForTesting(Service::Facebook, facebook);
    SocialComposer::setAvailableForTesting(Service::Twitter, twitter);
    SocialComposer::setAvailableForTesting(Service::SinaWeibo, weibo);
}

const QString kLink = QStringLiteral("https://flathub.org/apps/com.zentrik.KorvaneVandel");
} // namespace

class TestShareComposers : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnvironment> env;

private slots:
    void initTestCase() { webTestServer(); }
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        setAvailable(false, false, false);
        Localization::setLocaleOverride(QString());
        env.reset();
    }

    void shareBody()
    {
        QCOMPARE(ShareComposers::shareBody(true),
                 QStringLiteral("Hello Take a look at Korvane Vandel iOS App. "));
        QCOMPARE(ShareComposers::shareBody(false),
                 QStringLiteral("Hello Take a look at Korvane Vandel\n") + kLink +
                     QStringLiteral(" iOS App. "));
    }

    // Which composer (or web page) a share action opens, and what the post
    // carries, from the info page (a presenter) or the main screen (none).
    void posts_data()
    {
        QTest::addColumn<bool>("facebookAction");
        QTest::addColumn<bool>("fromPage");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QList<bool>>("available"); // facebook, twitter, weibo
        QTest::addColumn<int>("opened"); // a Service, or -1 - web page code
        QTest::addColumn<bool>("withLink");
        QTest::addColumn<int>("images");
        QTest::addColumn<bool>("url");
        using B = QList<bool>;
        QTest::newRow("facebook from page") << true << true << "en_US" << B{1, 1, 1} << int(Service::Facebook) << true << 1 << false;
        QTest::newRow("facebook from main") << true << false << "en_US" << B{1, 1, 1} << int(Service::Facebook) << false << 0 << true;
        QTest::newRow("facebook web page") << true << false << "en_US" << B{0, 1, 1} << -1 << false << 0 << false;
        QTest::newRow("twitter from page") << false << true << "en_US" << B{1, 1, 1} << int(Service::Twitter) << true << 1 << false;
        QTest::newRow("twitter from main") << false << false << "en_US" << B{1, 1, 1} << int(Service::Twitter) << false << 1 << true;
        QTest::newRow("zh_CN weibo") << false << false << "zh_CN" << B{1, 1, 1} << int(Service::SinaWeibo) << false << 1 << true;
        QTest::newRow("zh_CN no weibo") << false << true << "zh_CN" << B{1, 1, 0} << int(Service::Twitter) << true << 1 << false;
        QTest::newRow("zh_TW twitter") << false << true << "zh_TW" << B{1, 1, 1} << int(Service::Twitter) << true << 1 << false;
        QTest::newRow("nothing: twitter web page") << false << true << "zh_CN" << B{0, 0, 0} << -2 << false << 0 << false;
    }
    void posts()
    {
        QFETCH(bool, facebookAction);
        QFETCH(bool, fromPage);
        QFETCH(QString, locale);
        QFETCH(QList<bool>, available);
        QFETCH(int, opened);
        QFETCH(bool, withLink);
        QFETCH(int, images);
        QFETCH(bool, url);
        Localization::setLocaleOverride(locale);
        setAvailable(available[0], available[1], available[2]);
        ViewController main;
        main.view()->resize(320, 568);
        ViewController page;
        page.view()->resize(320, 568);
        ShareComposers share(&main);
        ViewController* presenter = fromPage ? &page : nullptr;
        if (facebookAction)
            share.shwoWebFriendShareFacebook(presenter);
        else
            share.shwoWebFriendShareTwitter(presenter);
        ViewController* shown = (fromPage ? page : main).presentedViewController();
        QVERIFY(shown);
        if (opened < 0) {
            auto* web = qobject_cast<ShareWithWebViewController*>(shown);
            QVERIFY(web);
            QCOMPARE(int(web->m_shareService), -1 - opened);
            QCOMPARE(web->delegate.data(), &main);
            web->done();
            return;
        }
        auto* post = qobject_cast<SocialComposer*>(shown);
        QVERIFY(post);
        QCOMPARE(int(post->serviceType()), opened);
        QCOMPARE(post->initialText(), ShareComposers::shareBody(!withLink));
        QCOMPARE(post->images().size(), images);
        for (const QImage& image : post->images())
            QCOMPARE(image.size(), QSize(114, 114));
        QCOMPARE(post->urls(), url ? QList<QUrl>{QUrl(kLink)} : QList<QUrl>{});
    }

    void plainTextOf_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("text");
        QTest::newRow("recommendation")
            << ShareComposers::emailBody()
            << QStringLiteral("Hello\nTake a look at Korvane Vandel <%1> iPhone App \n\n%1").arg(kLink);
        QTest::newRow("nested markup in a link, paragraphs")
            << "<p>Try <a href='https://a.example/x?y=1&amp;z=2'><b>this</b> app</a></p><p>Bye</p>"
            << "Try this app <https://a.example/x?y=1&z=2>\nBye";
        QTest::newRow("entities, unknown ones kept")
            << "Fish &amp; chips &lt;3 &#233;t&#xE9; &quot;ok&quot; &bogus; 5 < 6"
            << QString::fromUtf8("Fish & chips <3 \u00e9t\u00e9 \"ok\" &bogus; 5 < 6");
        QTest::newRow("link without address, unclosed link")
            << "<a>plain</a> and <A HREF=\"mailto:x@y.example\">write</A> <a href=\"u\">open"
            << "plain and write <mailto:x@y.example> open";
    }
    void plainTextOf()
    {
        QFETCH(QString, html);
        QFETCH(QString, text);
        QCOMPARE(MailComposer::plainTextOf(html), text);
    }

    // The recommendation reaches the user's mail client through a real
    // xdg-email: the handler registered here records what it was given.
    void emailThroughMailClient()
    {
        const QString data = env->registerRecordingHandler({QStringLiteral("mailto")});
        QVERIFY(!data.isEmpty());
        const QString record = env->openedFile();

        // Without a handler there is no mail client; with this one there is.
        qputenv("XDG_DATA_HOME", QFile::encodeName(env->path() + QStringLiteral("/none")));
        QVERIFY(!MailComposer::canSendMail());
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("XDG_CURRENT_DESKTOP");
        // xdg-open asks the handler only where a display exists.
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DISPLAY", ":nowhere");
        QVERIFY(MailComposer::canSendMail());

        ViewController main;
        main.view()->resize(320, 568);
        ShareComposers share(&main);
        share.showEmailFriendShare(nullptr);
        QPointer<ViewController> composer = main.presentedViewController();
        QVERIFY(qobject_cast<MailComposer*>(composer));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
        // Handed over: the composer has gone.
        QTRY_VERIFY(!main.presentedViewController());
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        qputenv("DISPLAY", display);
        qunsetenv("XDG_DATA_HOME");

        QFile got(record);
        QVERIFY(got.open(QIODevice::ReadOnly));
        const QUrl mailto(QString::fromUtf8(got.readAll()).trimmed());
        QCOMPARE(mailto.scheme(), QStringLiteral("mailto"));
        const QUrlQuery query(mailto);
        QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), QStringLiteral("Korvane"));
        // Mail clients take a mailto body as plain text.
        // (mailto links end their lines in CR LF)
        QCOMPARE(query.queryItemValue("body", QUrl::FullyDecoded).replace("\r\n", "\n"),
                 QStringLiteral("Hello\nTake a look at Korvane Vandel <%1> iPhone App \n\n%1")
                     .arg(kLink));
        const QString attachment = query.queryItemValue("attach", QUrl::FullyDecoded);
        QVERIFY2(attachment.endsWith(QLatin1String("/moreApps_icon_KorvaneVandel.png")),
                 qPrintable(attachment));
        QFile icon(attachment), original(QStringLiteral(":/images/moreApps_icon_KorvaneVandel.png"));
        QVERIFY(icon.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
        QCOMPARE(icon.readAll(), original.readAll());
    }
};

KORVANE_REGISTER_TEST(TestShareComposers);
#include "tst_ShareComposers.moc"

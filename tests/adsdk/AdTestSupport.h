#pragma once

#include "GADBannerView.h"
#include "GADCustomEventBanner.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <thread>

inline const QString kTestUnit = QStringLiteral("ca-app-pub-1234567890123456/1234567890");

inline QByteArray pngBytes()
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(QColor(200, 40, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline QByteArray svgBytes()
{
    return "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'><circle cx='5' cy='5' "
           "r='4'/></svg>";
}

inline QJsonObject adJson(const QString& id)
{
    return {{"id", id},
            {"title", "Title " + id},
            {"text", "Text"},
            {"click_url", "itms-apps://store.example/app/id1?mt=8"},
            {"image_svg_base64", QString::fromLatin1(svgBytes().toBase64())}};
}

inline QJsonArray mediatedNetworks(const QStringList& classNames)
{
    QJsonArray list;
    for (const QString& name : classNames)
        list.append(
            QJsonObject{{"class_name", name}, {"parameter", name + "-p"}, {"label", name + "-l"}});
    return list;
}

inline QByteArray manifest(const QStringList& adIds, const QStringList& chain = {})
{
    QJsonArray ads;
    for (const QString& id : adIds)
        ads.append(adJson(id));
    const QJsonObject mediation{{kTestUnit, mediatedNetworks(chain)}};
    return QJsonDocument(QJsonObject{{"ads", ads}, {"mediation", mediation}}).toJson();
}

struct RecordingBannerDelegate : GADBannerViewDelegate {
    QStringList events;
    QList<GADRequestError> errors;
    QList<QThread*> threads;
    std::function<void()> onEvent;

    void record(const char* event)
    {
        events << QString::fromLatin1(event);
        threads << QThread::currentThread();
        if (onEvent)
            onEvent();
    }
    void adViewDidReceiveAd(GADBannerView*) override { record("receive"); }
    void adView_didFailToReceiveAdWithError(GADBannerView*, const GADRequestError& e) override
    {
        errors << e;
        record("fail");
    }
    void adViewWillPresentScreen(GADBannerView*) override { record("willPresent"); }
    void adViewWillDismissScreen(GADBannerView*) override { record("willDismiss"); }
    void adViewDidDismissScreen(GADBannerView*) override { record("didDismiss"); }
    void adViewWillLeaveApplication(GADBannerView*) override { record("willLeave"); }
};

// Another network's custom event, registered under a name per behaviour:
// FakeEvent fills from the event loop, FakeFailing fails from within the
// request, FakeThreaded fills from a thread of its own.
class FakeCustomEvent : public GADCustomEventBanner {
public:
    static inline int alive = 0;
    static inline FakeCustomEvent* last = nullptr;

    explicit FakeCustomEvent(const QString& kind) : kind(kind) { ++alive, last = this; }
    ~FakeCustomEvent() override
    {
        --alive;
        last = last == this ? nullptr : last;
        delete view.data();
    }
    static void registerAll()
    {
        for (const QString kind : {"FakeEvent", "FakeFailing", "FakeThreaded"})
            GADCustomEventRegistry::registerClass(
                kind, [kind] { return std::make_unique<FakeCustomEvent>(kind); });
    }

    void requestBannerAd(GADAdSize size, const QString& parameter, const QString& label,
                         const GADCustomEventRequest& r) override
    {
        adSize = size, serverParameter = parameter, serverLabel = label, request = r;
        view = new QWidget;
        if (kind == "FakeFailing")
            m_delegate->customEventBanner_didFailAd(this,
                                                    GADRequestError::make(42, "fake failure"));
        else if (kind == "FakeThreaded")
            std::thread([this] { m_delegate->customEventBanner_didReceiveAd(this, view); }).join();
        else
            QTimer::singleShot(0, view,
                               [this] { m_delegate->customEventBanner_didReceiveAd(this, view); });
    }
    GADCustomEventBannerDelegate* delegate() const override { return m_delegate; }
    void setDelegate(GADCustomEventBannerDelegate* d) override { m_delegate = d; }

    const QString kind;
    GADAdSize adSize;
    QString serverParameter, serverLabel;
    GADCustomEventRequest request;
    QPointer<QWidget> view;

private:
    GADCustomEventBannerDelegate* m_delegate = nullptr;
};

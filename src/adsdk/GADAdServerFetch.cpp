#include "GADAdServerFetch.h"

#include "GADMobileAds.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrlQuery>

namespace {
QString number(float value, int decimals)
{
    return QString::number(double(value), 'f', decimals);
}

GADAdServerFetch::Result failure(int code, const QString& description)
{
    return {std::nullopt, GADRequestError::make(code, description)};
}
} // namespace

QUrl GADAdServerFetch::requestURL(const QUrl& base, const QString& adUnitID, GADAdSize adSize,
                                  const GADRequest& request)
{
    QUrl url = base;
    QString path = url.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    url.setPath(path + QStringLiteral("/ad"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("unit"), adUnitID);
    query.addQueryItem(QStringLiteral("w"), QString::number(adSize.size.width()));
    query.addQueryItem(QStringLiteral("h"), QString::number(adSize.size.height()));
    if (request.hasLocation()) {
        query.addQueryItem(QStringLiteral("lat"), number(request.latitude(), 2));
        query.addQueryItem(QStringLiteral("lon"), number(request.longitude(), 2));
        query.addQueryItem(QStringLiteral("acc"), number(request.accuracy(), 1));
    }
    url.setQuery(query);
    return url;
}

GADAdServerFetch::GADAdServerFetch(const QUrl& base, const QString& adUnitID, GADAdSize adSize,
                                   const GADRequest& request, Completion completion)
    : m_completion(std::move(completion))
{
    const QString scheme = base.scheme().toLower();
    if (!base.isValid() || base.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        // Still answer later, never from within the caller's call.
        QMetaObject::invokeMethod(
            this,
            [this] {
                finish(failure(kGADErrorInvalidRequest, QStringLiteral("bad ad server URL")));
            },
            Qt::QueuedConnection);
        return;
    }
    QNetworkRequest networkRequest(requestURL(base, adUnitID, adSize, request));
    networkRequest.setRawHeader("Accept", "application/json");
    networkRequest.setTransferTimeout(int(GADMobileAds::requestTimeout().count()));
    m_reply = GADMobileAds::networkAccessManager()->get(networkRequest);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &GADAdServerFetch::onReadyRead);
    connect(m_reply, &QNetworkReply::readyRead, this, &GADAdServerFetch::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &GADAdServerFetch::onFinished);
    // The transfer time-out only notices silence; a server sending a byte
    // now and then would hold the banner for good.
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_reply)
            m_reply->abort(); // finishes at once, as a cancelled transfer
    });
    m_deadline.start(GADMobileAds::requestDeadline());
}

GADAdServerFetch::~GADAdServerFetch()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void GADAdServerFetch::onReadyRead()
{
    if (!m_reply || m_oversize)
        return;
    const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (announced > GADProtocol::kMaxResponseBytes ||
        m_reply->bytesAvailable() > GADProtocol::kMaxResponseBytes) {
        m_oversize = true;
        m_reply->abort(); // finishes at once, through onFinished
    }
}

void GADAdServerFetch::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    m_deadline.stop();
    reply->deleteLater();

    if (m_oversize) {
        finish(failure(kGADErrorInvalidResponse, QStringLiteral("answer too large")));
        return;
    }
    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    const QNetworkReply::NetworkError error = reply->error();
    // We abort only for oversize answers (handled above), at the deadline and
    // in the destructor (disconnected first), so a cancelled transfer is a
    // time-out.
    if (error == QNetworkReply::TimeoutError || error == QNetworkReply::OperationCanceledError) {
        finish(failure(kGADErrorTimeout, QStringLiteral("the ad server did not answer in time")));
        return;
    }
    if (status != 0 && (status < 200 || status > 299)) {
        finish(failure(kGADErrorServerError,
                       QStringLiteral("the ad server answered HTTP %1").arg(status)));
        return;
    }
    if (error != QNetworkReply::NoError || status == 0) {
        finish(failure(kGADErrorNetworkError, reply->errorString()));
        return;
    }
    if (status == 204) {
        finish(failure(kGADErrorNoFill, QStringLiteral("no ad for this request")));
        return;
    }
    const QByteArray body = reply->read(GADProtocol::kMaxResponseBytes + 1);
    QString why;
    auto response = GADAdResponse::fromJson(body, &why);
    if (!response) {
        finish(failure(kGADErrorInvalidResponse, why));
        return;
    }
    if (response->isEmpty()) {
        finish(failure(kGADErrorNoFill, QStringLiteral("no ad for this request")));
        return;
    }
    finish({response, {}});
}

void GADAdServerFetch::finish(const Result& result)
{
    // The completion may destroy this fetch; nothing may follow it.
    Completion completion = std::move(m_completion);
    m_completion = nullptr;
    if (completion)
        completion(result);
}

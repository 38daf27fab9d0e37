#pragma once

#include "GADAdResponse.h"
#include "GADAdSize.h"
#include "GADRequest.h"
#include "GADRequestError.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QNetworkReply;

// One request to the ad server:
//
//   GET {base}/ad?unit=<ad unit>&w=<points>&h=<points>[&lat=<deg>&lon=<deg>&acc=<m>]
//   (the position only once there is a fix, to two decimals)
//   Accept: application/json
//
// answered by 200 with an answer as described in GADAdResponse, or 204 for no
// fill. Any other status, a transport failure, silence for the time-out of
// GADMobileAds or a request outlasting its deadline, or a body that breaks
// the protocol fails the request. The
// result always arrives later, on the main thread; destroying the fetch
// cancels it without a result.
class GADAdServerFetch : public QObject {
    Q_OBJECT
public:
    struct Result {
        std::optional<GADAdResponse> response; // set on success
        GADRequestError error;                 // otherwise
    };
    using Completion = std::function<void(const Result&)>;

    GADAdServerFetch(const QUrl& base, const QString& adUnitID, GADAdSize adSize,
                     const GADRequest& request, Completion completion);
    ~GADAdServerFetch() override;

    static QUrl requestURL(const QUrl& base, const QString& adUnitID, GADAdSize adSize,
                           const GADRequest& request);

private:
    void onReadyRead();
    void onFinished();
    void finish(const Result& result);

    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    Completion m_completion;
    bool m_oversize = false;
};

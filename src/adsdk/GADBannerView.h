#pragma once

#include "GADAdResponse.h"
#include "GADAdSize.h"
#include "GADBannerViewDelegate.h"
#include "GADRequest.h"

#include <QWidget>
#include <memory>
#include <optional>

class GADCustomEventBanner;

// A banner of the network. It loads a request for its ad unit from the ad
// server (when one is configured) or from the house inventory, runs the
// mediation the network names for the unit, shows the ad that fills it and
// asks for a new one every GADMobileAds::kRefreshInterval. A click on the
// network's own ad presents its full-screen content over the root view.
// Every delegate call comes later than the call that caused it, on the main
// thread; the delegate may destroy the banner from any of them.
class GADBannerView : public QWidget {
    Q_OBJECT
public:
    explicit GADBannerView(GADAdSize adSize, QWidget* parent = nullptr);
    ~GADBannerView() override;

    // The network's form: "ca-app-pub-", 16 digits, "/", 10 digits.
    static bool isValidAdUnitID(const QString& adUnitID);

    void setAdUnitID(const QString& adUnitID);
    QString adUnitID() const;
    // Must be set before loadRequest(); full-screen content covers it.
    void setRootViewController(QWidget* root);
    QWidget* rootViewController() const;
    // Held weakly; after clearing it no call reaches the old delegate.
    void setDelegate(GADBannerViewDelegate* delegate);
    GADBannerViewDelegate* delegate() const;

    // Starts a load, replacing one in progress; the ad on show stays until
    // the answer brings another.
    void loadRequest(const GADRequest& request);
    // Resizes the banner and, once a request was loaded, asks for an ad of
    // the new size.
    void setAdSize(GADAdSize adSize);
    GADAdSize adSize() const;

    // Asks again with the last request, as the refresh timer does.
    void refresh();
    bool isRefreshScheduled() const;
    bool isLoading() const;

    // The ad on show: the network's own, or the view of a mediated network.
    bool hasAd() const;
    std::optional<GADCreative> creative() const;
    QString mediatedClassName() const;
    QWidget* mediatedAdView() const;
    GADCustomEventBanner* mediatedCustomEvent() const;

    // What a click on the network's own ad does.
    void presentScreen();
    void dismissScreen();
    QWidget* presentedScreen() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class MediationAttempt;
    struct Private;
    enum class ModalEvent { WillPresent, DidDismiss, WillLeave };

    void startLoad();
    void cancelLoad();
    void failLater(int code, const QString& description);
    void onNetworkAnswer(quint64 generation, const std::optional<GADAdResponse>& response,
                         const GADRequestError& error);
    void tryNextSource();
    void customEventReceived(quint64 serial, QWidget* view);
    void customEventFailed(quint64 serial, const GADRequestError& error);
    void customEventModal(quint64 serial, ModalEvent event);
    void showCreative(const GADCreative& creative);
    void finishFailure(const GADRequestError& error);
    void scheduleRefresh();
    void onRefreshTimer();
    void leaveApplication();

    std::unique_ptr<Private> d;
};

#pragma once

#include "BandedPainting.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QUrl>
#include <QWidget>
#include <optional>

class QPainter;

class ADBannerView;

// Why the platform's ad service had no banner.
struct ADError {
    enum Code { Unknown = 0, ServerFailure = 1, LoadingThrottled = 2, InventoryUnavailable = 3 };
    QString domain = QStringLiteral("ADErrorDomain");
    int code = Unknown;
    QString localizedDescription;
};

class ADBannerViewDelegate {
public:
    virtual ~ADBannerViewDelegate() = default;
    virtual void bannerViewWillLoadAd(ADBannerView*) {}
    virtual void bannerViewDidLoadAd(ADBannerView*) {}
    virtual void bannerView_didFailToReceiveAdWithError(ADBannerView*, const ADError&) {}
    // Answering false cancels the action.
    virtual bool bannerViewActionShouldBegin(ADBannerView*, bool /*willLeaveApplication*/)
    {
        return true;
    }
    virtual void bannerViewActionDidFinish(ADBannerView*) {}
};

// The platform's own banner ads, served from the local house inventory
// (the "ads" of kInventoryPath). A banner starts loading when it is created
// and reports to its delegate from the event loop, so a delegate set right
// after creation hears of the first ad. Its action opens the promoted store
// page, which leaves the application.
class ADBannerView : public QWidget {
    Q_OBJECT
public:
    enum class ADAdType { Banner = 0, MediumRectangle = 1 };
    struct Creative {
        QString identifier;
        QString title;
        QString text;
        QString imagePath; // SVG or PNG, file or resource
        QUrl actionURL;
        QColor background;
    };
    static constexpr char kInventoryPath[] = ":/ads/inventory.json";

    // Creation with an ad type is offered here.
    static constexpr bool respondsToInitWithAdType() { return true; }

    // Plain creation: a banner.
    ADBannerView();
    // The frame starts at the origin with the type's own size: a banner is
    // 320 × 50 on phones and 768 × 66 on tablets, a medium rectangle 300 × 250.
    explicit ADBannerView(ADAdType type);
    ~ADBannerView() override;

    ADAdType adType() const { return m_type; }
    QRect frame() const { return geometry(); }
    void setFrame(const QRect& frame) { setGeometry(frame); }

    void setDelegate(ADBannerViewDelegate* delegate) { m_delegate = delegate; }
    ADBannerViewDelegate* delegate() const { return m_delegate; }

    bool isBannerLoaded() const { return m_creative.has_value(); }
    std::optional<Creative> currentCreative() const { return m_creative; }

    // What a tap on a loaded banner does.
    void performAction();

    // The inventory, read from kInventoryPath on first use; banners take its
    // creatives in turn.
    static QList<Creative> inventory();
    static void setInventory(const QList<Creative>& creatives);
    // Reads kInventoryPath again on next use and starts the turn from the first.
    static void resetInventory();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void paintBanner(QPainter& painter);
    void loadAd();

    ADAdType m_type;
    ADBannerViewDelegate* m_delegate = nullptr;
    std::optional<Creative> m_creative;
    mutable QImage m_art; // rendered for the current size and pixel ratio
    KeptPicture m_picture; // the whole banner
};

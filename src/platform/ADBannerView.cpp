#include "ADBannerView.h"

#include "Application.h"
#include "BandedPainting.h"
#include "Device.h"
#include "DevicePixels.h"

#include <QEvent>
#include <QFile>
#include <QFontMetricsF>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {
struct Inventory {
    bool loaded = false;
    QList<ADBannerView::Creative> creatives;
    qsizetype next = 0;
};
Inventory& shared()
{
    static Inventory inventory;
    return inventory;
}

QList<ADBannerView::Creative> readInventory(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<ADBannerView::Creative> creatives;
    const QJsonArray ads =
        QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("ads")).toArray();
    for (const QJsonValue& value : ads) {
        const QJsonObject o = value.toObject();
        ADBannerView::Creative c;
        c.identifier = o.value(QLatin1String("id")).toString();
        c.title = o.value(QLatin1String("title")).toString();
        c.text = o.value(QLatin1String("text")).toString();
        c.imagePath = o.value(QLatin1String("image")).toString();
        c.actionURL = QUrl(o.value(QLatin1String("click_url")).toString(), QUrl::StrictMode);
        c.background = QColor::fromString(o.value(QLatin1String("background")).toString());
        // Only what this service can show: artwork by path and a page to open.
        if (c.identifier.isEmpty() || c.imagePath.isEmpty() || !c.actionURL.isValid() ||
            c.actionURL.scheme().isEmpty())
            continue;
        creatives.append(c);
    }
    return creatives;
}

QSize ownSize(ADBannerView::ADAdType type)
{
    if (type == ADBannerView::ADAdType::MediumRectangle)
        return QSize(300, 250);
    return Device::isTablet() ? QSize(768, 66) : QSize(320, 50);
}
} // namespace

ADBannerView::ADBannerView() : ADBannerView(ADAdType::Banner) {}

ADBannerView::ADBannerView(ADAdType type) : m_type(type)
{
    setObjectName(QStringLiteral("ADBannerView"));
    setGeometry(QRect(QPoint(0, 0), ownSize(type)));
    // Until it is placed in a view, showing it must not open a window.
    setAttribute(Qt::WA_DontShowOnScreen);
    QTimer::singleShot(0, this, &ADBannerView::loadAd);
}

ADBannerView::~ADBannerView() = default;

void ADBannerView::loadAd()
{
    if (m_delegate)
        m_delegate->bannerViewWillLoadAd(this);
    Inventory& inv = shared();
    const QList<Creative> creatives = inventory();
    if (creatives.isEmpty()) {
        ADError error;
        error.code = ADError::InventoryUnavailable;
        error.localizedDescription = QStringLiteral("No ad inventory available");
        if (m_delegate)
            m_delegate->bannerView_didFailToReceiveAdWithError(this, error);
        return;
    }
    m_creative = creatives.at(inv.next++ % creatives.size());
    m_art = QImage();
    m_picture.forget();
    update();
    if (m_delegate)
        m_delegate->bannerViewDidLoadAd(this);
}

void ADBannerView::performAction()
{
    if (!m_creative)
        return;
    const QUrl url = m_creative->actionURL;
    if (m_delegate && !m_delegate->bannerViewActionShouldBegin(this, true))
        return;
    Application::shared().openURL(url);
}

QList<ADBannerView::Creative> ADBannerView::inventory()
{
    Inventory& inv = shared();
    if (!inv.loaded) {
        inv.creatives = readInventory(QString::fromLatin1(kInventoryPath));
        inv.loaded = true;
    }
    return inv.creatives;
}

void ADBannerView::setInventory(const QList<Creative>& creatives)
{
    shared() = Inventory{true, creatives, 0};
}

void ADBannerView::resetInventory()
{
    shared() = Inventory{};
}

void ADBannerView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        setAttribute(Qt::WA_DontShowOnScreen, parentWidget() == nullptr);
    QWidget::changeEvent(event);
}

void ADBannerView::paintEvent(QPaintEvent*)
{
    if (!m_creative)
        return;
    QPainter painter(this);
    m_picture.paint(painter, *this, [this](QPainter& p) { paintBanner(p); });
}

void ADBannerView::paintBanner(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor background =
        m_creative->background.isValid() ? m_creative->background : QColor(0x20, 0x20, 0x24);
    const QColor ink = background.lightnessF() > 0.6 ? QColor(0x14, 0x14, 0x14) : QColor(Qt::white);
    painter.fillRect(rect(), background);

    const qreal h = height();
    const qreal margin = h * 0.12;
    const QRectF art(margin, margin, h - 2 * margin, h - 2 * margin);
    // The image plugins render SVG at any size; render at device pixels so
    // the artwork stays sharp on high-density screens.
    const qreal ratio = DevicePixels::ratio(this);
    const QSize pixels = (art.size() * ratio).toSize();
    if (m_art.size() != pixels && !pixels.isEmpty()) {
        QImageReader reader(m_creative->imagePath);
        const QSize natural = reader.size();
        reader.setScaledSize(natural.isValid() ? natural.scaled(pixels, Qt::KeepAspectRatio)
                                               : pixels);
        m_art = reader.read();
        m_art.setDevicePixelRatio(ratio);
    }
    if (!m_art.isNull()) {
        QRectF target(QPointF(), m_art.deviceIndependentSize());
        target.moveCenter(art.center());
        painter.drawImage(target, m_art);
    }

    const qreal textLeft = art.right() + margin * 1.5;
    const qreal textWidth = width() - textLeft - margin;
    QFont titleFont = font();
    titleFont.setPixelSize(std::max(1, int(h * 0.3)));
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(ink);
    painter.drawText(
        QPointF(textLeft, h * 0.44),
        QFontMetricsF(titleFont).elidedText(m_creative->title, Qt::ElideRight, textWidth));
    QFont bodyFont = font();
    bodyFont.setPixelSize(std::max(1, int(h * 0.22)));
    painter.setFont(bodyFont);
    painter.drawText(QPointF(textLeft, h * 0.8), QFontMetricsF(bodyFont).elidedText(
                                                     m_creative->text, Qt::ElideRight, textWidth));
}

void ADBannerView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        performAction();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

#pragma once

#include "ViewController.h"

#include <QImage>
#include <QList>
#include <QUrl>

// A social network's post composer. Linux has no system account for these
// networks, so every service reports itself unavailable and the callers take
// their web fallbacks; tests switch availability on to check the posts.
class SocialComposer : public ViewController {
    Q_OBJECT
public:
    enum class ServiceType { Facebook, Twitter, SinaWeibo };

    static bool isAvailableForServiceType(ServiceType type);
    static void setAvailableForTesting(ServiceType type, bool available);
    static SocialComposer* composeViewControllerForServiceType(ServiceType type);

    ServiceType serviceType() const { return m_type; }
    void setInitialText(const QString& text) { m_text = text; }
    void addImage(const QImage& image) { m_images.append(image); }
    void addURL(const QUrl& url) { m_urls.append(url); }

    QString initialText() const { return m_text; }
    const QList<QImage>& images() const { return m_images; }
    const QList<QUrl>& urls() const { return m_urls; }

protected:
    QWidget* loadView() override;
    bool escapePressed() override;

private:
    explicit SocialComposer(ServiceType type) : m_type(type) {}

    ServiceType m_type;
    QString m_text;
    QList<QImage> m_images;
    QList<QUrl> m_urls;
};

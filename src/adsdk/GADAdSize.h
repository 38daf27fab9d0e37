#pragma once

#include <QSizeF>

// The size of a banner in points, with flags reserved for size variants the
// network may add later (always 0 here).
struct GADAdSize {
    QSizeF size;
    unsigned flags = 0;

    bool isValid() const { return size.width() > 0.0 && size.height() > 0.0; }
    friend bool operator==(const GADAdSize&, const GADAdSize&) = default;
};

// The standard phone banner.
inline constexpr GADAdSize kGADAdSizeBanner{QSizeF(320.0, 50.0), 0};

// A width and a height in points as an ad size; anything that is not a
// positive, finite size becomes the empty (invalid) size.
GADAdSize GADAdSizeFromSize(const QSizeF& size);

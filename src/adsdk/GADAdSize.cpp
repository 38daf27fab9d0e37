#include "GADAdSize.h"

#include <cmath>

GADAdSize GADAdSizeFromSize(const QSizeF& size)
{
    const double w = size.width(), h = size.height();
    if (!std::isfinite(w) || !std::isfinite(h) || w <= 0.0 || h <= 0.0)
        return GADAdSize{};
    return GADAdSize{size, 0};
}

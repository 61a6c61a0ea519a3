#include "core/print/page_geometry.h"

namespace radio {

PageGeometry ComputePageGeometry(int w, int h, int px, int py) {
    if (px <= 0 || py <= 0 || w <= 0 || h <= 0) return {};
    // 64-bit products: a 1200 dpi A3 page is already past 2^24 twips-pixels.
    const long long widthTwips = static_cast<long long>(w) * 1440 / px;
    const long long heightTwips = static_cast<long long>(h) * 1440 / py;
    return {static_cast<int>(widthTwips / 66), static_cast<int>(heightTwips / 45)};
}

FontSize FontSizeFor(FontRole role, const PageGeometry& g) {
    if (role == FontRole::Large) return {g.v, g.u};
    // 0.8 of the large font, truncated; integer arithmetic keeps it exact.
    return {g.v * 4 / 5, g.u * 4 / 5};
}

}  // namespace radio

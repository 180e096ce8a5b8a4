#pragma once

// A fast path for the commonest draw of vector images: a solid, anti-aliased, non-zero
// winding fill. Coverage is the exact area of the path in each pixel, accumulated per row
// (signed area of every edge, then a running sum), which is cheaper than the general
// rasterizer for the small pictures of icons and previews.

#include "System.Skia.h"

#include <QImage>
#include <QTransform>
#include <vector>

namespace ext::raster {

// Fills the path, mapped by AMatrix, into AImage (ARGB32 premultiplied) with AColor (ARGB,
// not premultiplied) blended source-over. Returns false, touching nothing, when the case is
// not one this path handles; the caller then draws the general way.
bool FillWinding(QImage& AImage, const std::vector<TSkPathVerb>& AVerbs, const std::vector<QPointF>& APoints,
                 const QTransform& AMatrix, TAlphaColor AColor);

} // namespace ext::raster

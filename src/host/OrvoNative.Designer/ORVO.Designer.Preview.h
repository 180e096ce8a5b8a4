#pragma once

// Preview helpers of the Assets Manager: chessboard backgrounds, the luminance that picks
// a chessboard for an image, previews of bitmaps and SVG assets, and the conversion of a
// framework bitmap into a window bitmap.

#include "ORVO.Bitmap.h"
#include "ORVO.Colors.h"

#include <QImage>
#include <QSize>
#include <memory>

namespace core {
class TqoAssetSVG;
}

namespace dsgn {

// The two colors of a chessboard; Color1 fills the top-left cell.
struct TqoGridColors
{
    core::TqoAlphaColor Color1;
    core::TqoAlphaColor Color2;
};

// For dark images: white and light gray.
inline constexpr TqoGridColors LightGridColors{0xFFFFFFFF, 0xFFD3D3D3};
// For light images, which would vanish on a white board.
inline constexpr TqoGridColors DarkGridColors{0xFF3C3C3C, 0xFF2A2A2A};

// Bitmap of the window system, as the tree's image lists take it: straight (not
// premultiplied) 32-bit ARGB.
using TWindowBitmap = QImage;

// Fills the whole bitmap with square cells of ACellSize pixels, AColor1 in the top-left
// cell and alternating from there. Raises EqoAssertionFailed for a cell size below 1.
void CreateChessBackground(core::TqoBitmap& ABitmap, int ACellSize, core::TqoAlphaColor AColor1,
                           core::TqoAlphaColor AColor2);

// Mean relative luminance of the bitmap's pixels, 0 (black) to 1 (white), each pixel weighted
// by its alpha, since transparent pixels show the background instead. 0 for an empty or fully
// transparent bitmap.
float Luminance(const core::TqoBitmap& ABitmap);

// A bitmap of ASize: the chessboard, with ABitmap centered on it; a bitmap larger than ASize
// is scaled down to fit (aspect ratio kept), a smaller one keeps its pixels. An empty ASize
// gives an empty bitmap.
core::TqoBitmap CreatePreview(const core::TqoBitmap& ABitmap, const QSize& ASize, core::TqoAlphaColor AColor1,
                              core::TqoAlphaColor AColor2, int ACellSize);

// The asset's SVG file drawn into a transparent bitmap of ASize, fitted with its aspect ratio
// kept and centered. Raises core::EqoFileError when the file cannot be read as an SVG document.
core::TqoBitmap GenerateBitmap(const core::TqoAssetSVG& AAsset, const QSize& ASize);

// A new window bitmap with the bitmap's pixels; owned by the caller.
std::unique_ptr<TWindowBitmap> FMXBitmapToVCLBitmap(const core::TqoBitmap& ABitmap);

} // namespace dsgn

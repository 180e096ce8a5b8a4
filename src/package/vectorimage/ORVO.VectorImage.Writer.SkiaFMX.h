#pragma once

#include "ORVO.Colors.h"
#include "ORVO.VectorImage.Document.h"

#include <QString>
#include <memory>
#include <vector>

namespace core {
class TqoBitmap;
}

namespace ext {
class ISkCanvas;
class ISkPaint;
} // namespace ext

namespace orvo {

// Draws a vector document into a bitmap through the Skia binding. All the
// drawing happens in the constructor; afterwards the object hands out the bitmap.
class TsvgExportFMXBitmapWithSkia
{
public:
    // Raises core::EqoException "Unknown svg command kind" for a command it does not know.
    explicit TsvgExportFMXBitmapWithSkia(const core::TqoVectorDocument& ADocument);
    ~TsvgExportFMXBitmapWithSkia();
    TsvgExportFMXBitmapWithSkia(const TsvgExportFMXBitmapWithSkia&) = delete;
    TsvgExportFMXBitmapWithSkia& operator=(const TsvgExportFMXBitmapWithSkia&) = delete;

    void SaveToBitmap(core::TqoBitmap& ABitmap) const;
    // The format follows the file name's extension.
    void SaveToFile(const QString& AFileName) const;

    const core::TqoBitmap& Bitmap() const { return *FBitmap; }

    // Paint color text: "#" then 3, 6 or up to 8 hexadecimal digits (blanks after "#" allowed).
    // Returns false for anything else and leaves AColor unchanged.
    static bool TryStrToColor(const QString& AText, core::TqoAlphaColor& AColor);

private:
    struct TsvgState
    {
        int CanvasState = 0;
        float StrokeOpacity = 1;
        float FillOpacity = 1;
        std::shared_ptr<ext::ISkPaint> Fill;
        std::shared_ptr<ext::ISkPaint> Stroke;
    };

    void Process();
    void SaveState();
    void RestoreState();
    void ConcatMatrix(const core::TqoVectorMatrix& AMatrix);
    void SetShader(const core::TqoVectorGradient* AGradient, bool AIsFill);
    void ChangePaints(const core::TqoVectorBrush& ABrush);
    void DrawPath(const QString& APathData);

    const core::TqoVectorDocument* FDocument;
    std::unique_ptr<core::TqoBitmap> FBitmap;
    float FStrokeOpacity = 1;
    float FFillOpacity = 1;
    std::vector<TsvgState> FStates;
    std::shared_ptr<ext::ISkCanvas> FCanvas;
    std::shared_ptr<ext::ISkPaint> FStroke;
    std::shared_ptr<ext::ISkPaint> FFill;
    core::TqoFillRule FLastFillPathRule = core::TqoFillRule::NonZero;
};

} // namespace orvo

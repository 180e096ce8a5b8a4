#pragma once

// Skia's SVG brush (TSkSvgBrush of the Skia binding) over QtSvg: an SVG source text, the
// size the document asks for, and drawing it into a rectangle of a canvas.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>

class QImage;
class QPainter;
class QSvgRenderer;

namespace ext {

class TSkSvgBrush
{
public:
    TSkSvgBrush();
    ~TSkSvgBrush();
    TSkSvgBrush(const TSkSvgBrush&) = delete;
    TSkSvgBrush& operator=(const TSkSvgBrush&) = delete;

    QString GetSource() const { return FSource; }
    // Parses the text at once; a text that is not a readable SVG leaves an empty brush
    // (HasDOM false, original size 0 x 0) that draws nothing.
    void SetSource(const QString& ASource);

    // Whether the source parsed into a document.
    bool HasDOM() const { return FRenderer != nullptr; }

    // The document's intrinsic size: its "width" and "height" in pixels (percentages resolve
    // against nothing and give 0); when both are 0 the view box's size stands in.
    QSizeF GetOriginalSize() const { return FOriginalSize; }
    // The root's view box; empty when the document has none.
    QRectF GetOriginalViewBox() const { return FViewBox; }

    // Draws the document fitted into ADest (scaled up or down, aspect ratio kept, centered),
    // the brush's default wrap mode. AOpacity multiplies the drawing's alpha.
    void Render(QPainter& APainter, const QRectF& ADest, double AOpacity = 1.0) const;
    // The same onto an image; the image keeps its pixels outside the drawing.
    void Render(QImage& AImage, const QRectF& ADest, double AOpacity = 1.0) const;
    // Where Render puts the document for ADest: the original size fitted into it.
    QRectF FitRect(const QRectF& ADest) const;

private:
    QString FSource;
    std::unique_ptr<QSvgRenderer> FRenderer;
    QSizeF FOriginalSize;
    QRectF FViewBox;
};

} // namespace ext

#include "vectorimage/ORVO.VectorImage.Writer.SkiaFMX.h"

#include "ORVO.Bitmap.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"
#include "ORVO.VectorImage.Document.h"
#include "ReaderTestUtil.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>

namespace {

using core::TqoVectorDocument;
using orvo::TsvgExportFMXBitmapWithSkia;

TqoVectorDocument Document(QSizeF ASize, QRectF AViewBox = QRectF())
{
    TqoVectorDocument document;
    document.SetSize(ASize);
    document.SetViewBox(AViewBox.isNull() ? QRectF(QPointF(0, 0), ASize) : AViewBox);
    return document;
}

core::TqoVectorTransform Transform(const QTransform& AMatrix)
{
    core::TqoVectorTransform transform;
    transform.Matrix.m11 = float(AMatrix.m11());
    transform.Matrix.m12 = float(AMatrix.m12());
    transform.Matrix.m21 = float(AMatrix.m21());
    transform.Matrix.m22 = float(AMatrix.m22());
    transform.Matrix.m31 = float(AMatrix.dx());
    transform.Matrix.m32 = float(AMatrix.dy());
    return transform;
}

QString Rect(double ALeft, double ATop, double ARight, double ABottom)
{
    return QStringLiteral("M%1 %2H%3V%4H%1Z").arg(ALeft).arg(ATop).arg(ARight).arg(ABottom);
}

// Unpremultiplied ARGB: QImage::pixel of a premultiplied image is premultiplied.
QRgb Pixel(const core::TqoBitmap& ABitmap, QPoint AAt) { return qUnpremultiply(ABitmap.Image().pixel(AAt)); }

constexpr QRgb Transparent = 0, Black = 0xFF000000, Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF;

struct TProbe
{
    QPoint At;
    QRgb Expected;
    int Tolerance = 0; // per channel
};

// One recording step of a scene.
using TStep = std::function<void(TqoVectorDocument&)>;

// A scene on a 40 x 40 bitmap.
struct TSceneCase
{
    const char* Name;
    std::vector<TStep> Steps;
    std::vector<TProbe> Probes;
    QRectF ViewBox = {}; // the size's when null
};

using WriterSceneTest = ::testing::TestWithParam<TSceneCase>;

TEST_P(WriterSceneTest, DrawsTheExpectedPixels)
{
    TqoVectorDocument document = Document({40, 40}, GetParam().ViewBox);
    for (const TStep& step : GetParam().Steps)
        step(document);
    const TsvgExportFMXBitmapWithSkia writer(document);
    for (const TProbe& probe : GetParam().Probes) {
        const QRgb pixel = Pixel(writer.Bitmap(), probe.At);
        const QString where = QStringLiteral("at %1,%2: %3").arg(probe.At.x()).arg(probe.At.y()).arg(pixel, 8, 16);
        // Fully transparent pixels have no meaningful color.
        if (probe.Expected == Transparent) {
            EXPECT_EQ(qAlpha(pixel), 0) << where.toStdString();
            continue;
        }
        EXPECT_NEAR(qAlpha(pixel), qAlpha(probe.Expected), probe.Tolerance) << where.toStdString();
        EXPECT_NEAR(qRed(pixel), qRed(probe.Expected), probe.Tolerance) << where.toStdString();
        EXPECT_NEAR(qGreen(pixel), qGreen(probe.Expected), probe.Tolerance) << where.toStdString();
        EXPECT_NEAR(qBlue(pixel), qBlue(probe.Expected), probe.Tolerance) << where.toStdString();
    }
}

core::TqoVectorLinearGradient Gradient(float AX1, float AX2, QRgb AFrom = Red, QRgb ATo = Blue)
{
    core::TqoVectorLinearGradient gradient;
    gradient.X1 = AX1;
    gradient.X2 = AX2;
    gradient.Stops = {{0, AFrom}, {1, ATo}};
    return gradient;
}

// A brush built in one expression.
struct TBrush : core::TqoVectorBrush
{
    TBrush& Stroke(const char* AColor, float AWidth)
    {
        if (AColor)
            StrokeColor = QString::fromUtf8(AColor);
        StrokeWidth = AWidth;
        return *this;
    }
    TBrush& Opacity(float AValue)
    {
        FillOpacity = AValue;
        return *this;
    }
    TBrush& EvenOdd()
    {
        FillRule = core::TqoFillRule::EvenOdd;
        return *this;
    }
};

TBrush Paint(const char* AFill = nullptr)
{
    TBrush brush;
    if (AFill)
        brush.FillColor = QString::fromUtf8(AFill);
    return brush;
}

const TStep Begin = [](TqoVectorDocument& ADocument) { ADocument.BeginGroup(); };
const TStep End = [](TqoVectorDocument& ADocument) { ADocument.EndGroup(); };
TStep Brush(const core::TqoVectorBrush& ABrush)
{
    return [ABrush](TqoVectorDocument& ADocument) { ADocument.SetBrush(ABrush); };
}
TStep Shader(const core::TqoVectorLinearGradient& AGradient, bool AIsFill)
{
    return [AGradient, AIsFill](TqoVectorDocument& ADocument) { ADocument.SetGradient(AGradient, AIsFill); };
}
TStep Move(const QTransform& AMatrix)
{
    return [AMatrix](TqoVectorDocument& ADocument) { ADocument.SetTransform(Transform(AMatrix)); };
}
TStep Path(const QString& AData)
{
    return [AData](TqoVectorDocument& ADocument) { ADocument.DrawPath(AData); };
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, WriterSceneTest,
    ::testing::Values(TSceneCase{"fill_color_only_is_filled_and_not_stroked",
                                 {Brush(Paint("#FFFF0000")), Path(Rect(4, 4, 16, 16))},
                                 {{{10, 10}, Red}, {{4, 10}, Red}, {{3, 10}, Transparent}}},
                      TSceneCase{"view_box_doubles_every_coordinate",
                                 {Brush(Paint("#FFFF0000")), Path(Rect(2, 2, 10, 10))},
                                 {{{4, 4}, Red}, {{19, 19}, Red}, {{3, 3}, Transparent}, {{20, 20}, Transparent}},
                                 QRectF(0, 0, 20, 20)},
                      TSceneCase{"group_brush_reaches_children_and_ends_with_the_group",
                                 {Brush(Paint("#FFFF0000")), Begin, Brush(Paint("#FF0000FF")), Path(Rect(0, 0, 10, 10)),
                                  End, Path(Rect(10, 0, 20, 10))},
                                 {{{5, 5}, Blue}, {{15, 5}, Red}}},
                      TSceneCase{"group_transform_ends_with_the_group",
                                 {Begin, Move(QTransform::fromTranslate(10, 0)), Path(Rect(0, 0, 5, 5)), End,
                                  Path(Rect(0, 0, 5, 5))},
                                 {{{12, 2}, Black}, {{2, 2}, Black}, {{7, 2}, Transparent}}},
                      // 0..2 -> 5..7 -> 10..14
                      TSceneCase{"inner_transform_applies_to_points_first",
                                 {Begin, Move(QTransform::fromScale(2, 2)), Begin,
                                  Move(QTransform::fromTranslate(5, 0)), Path(Rect(0, 0, 2, 2)), End, End},
                                 {{{12, 1}, Black}, {{6, 1}, Transparent}}},
                      TSceneCase{"stroke_is_drawn_before_the_fill",
                                 {Brush(Paint("#FFFF0000").Stroke("#FF0000FF", 8)), Path(Rect(10, 10, 30, 30))},
                                 {{{12, 20}, Red}, {{7, 20}, Blue}, {{20, 20}, Red}}},
                      TSceneCase{"fill_opacity_replaces_the_colors_alpha",
                                 {Brush(Paint("#40FF0000").Opacity(0.5f)), Path(Rect(0, 0, 20, 20))},
                                 {{{10, 10}, 0x80FF0000, 2}}},
                      TSceneCase{"opacity_zero_skips_the_paint",
                                 {Brush(Paint("#FFFF0000").Opacity(0)), Path(Rect(0, 0, 20, 20))},
                                 {{{10, 10}, Transparent}}},
                      // The left half is drawn twice.
                      TSceneCase{"opacity_in_a_group_lasts_until_its_end",
                                 {Begin, Brush(Paint().Opacity(0.5f)), Path(Rect(0, 0, 10, 10)),
                                  Path(Rect(0, 0, 5, 10)), End, Path(Rect(10, 0, 20, 10))},
                                 {{{7, 5}, 0x80000000, 2}, {{2, 5}, 0xC0000000, 2}, {{15, 5}, Black}}},
                      TSceneCase{"fill_rule_outlives_the_group",
                                 {Begin, Brush(Paint().EvenOdd()), End, Path(Rect(0, 0, 20, 20) + Rect(5, 5, 15, 15))},
                                 {{{2, 2}, Black}, {{10, 10}, Transparent}}},
                      TSceneCase{"rejected_colors_change_nothing",
                                 {Brush(Paint("#FFFF0000")), Brush(Paint("blue")), Brush(Paint("#GG0000FF")),
                                  Path(Rect(0, 0, 20, 20))},
                                 {{{10, 10}, Red}}},
                      TSceneCase{"fill_color_replaces_a_fill_gradient",
                                 {Shader(Gradient(0, 40), true), Brush(Paint("#FF00FF00")), Path(Rect(0, 0, 40, 10))},
                                 {{{2, 5}, Green}, {{38, 5}, Green}}},
                      TSceneCase{"stroke_gradient_shows_on_a_transparent_stroke",
                                 {Shader(Gradient(0, 20, Green, Green), false),
                                  Brush(Paint("#00000000").Stroke(nullptr, 4)), Path(Rect(4, 4, 16, 16))},
                                 {{{4, 10}, Green}, {{10, 10}, Transparent}}},
                      TSceneCase{"stroke_color_replaces_a_stroke_gradient",
                                 {Shader(Gradient(0, 20), false), Brush(Paint("#00000000").Stroke("#FF00FF00", 4)),
                                  Path(Rect(4, 4, 16, 16))},
                                 {{{10, 10}, Transparent}, {{4, 10}, Green}, {{16, 10}, Green}}}),
    testdata::TCaseName());

TEST(WriterSkiaFMX, EmptyDocumentGivesATransparentBitmapOfTheTruncatedSize)
{
    const TqoVectorDocument document = Document({10.9, 7.2});
    const TsvgExportFMXBitmapWithSkia writer(document);
    QImage blank(10, 7, writer.Bitmap().Image().format());
    blank.fill(Qt::transparent);
    EXPECT_EQ(writer.Bitmap().Image(), blank);
}

// A size from a damaged file gives an empty bitmap; the commands are still run.
TEST(WriterSkiaFMX, DamagedSizeGivesAnEmptyBitmap)
{
    for (const QSizeF size : {QSizeF(-5, 10), QSizeF(std::nan(""), 10), QSizeF(0.5, 10), QSizeF(1e12, 1e12)}) {
        auto document = Document(size, QRectF(0, 0, 10, 10));
        document.BeginGroup();
        document.DrawPath(Rect(0, 0, 5, 5));
        document.EndGroup();
        EXPECT_TRUE(TsvgExportFMXBitmapWithSkia(document).Bitmap().IsEmpty()) << size.width() << " x " << size.height();
    }
}

TEST(WriterSkiaFMX, UnknownCommandKindFails)
{
    auto document = Document({10, 10});
    document.DrawPath(Rect(0, 0, 5, 5));
    // No recording operation writes an unknown kind; a newer file format could.
    auto& commands = const_cast<std::vector<core::TqoVectorCommand>&>(document.Commands());
    commands.emplace_back(static_cast<core::TqoVectorCommandKind>(6));
    try {
        TsvgExportFMXBitmapWithSkia writer(document);
        FAIL() << "no exception";
    } catch (const core::EqoException& AError) {
        EXPECT_EQ(AError.Message(), QStringLiteral("Unknown svg command kind"));
    }
}

TEST(WriterSkiaFMX, ReportsSkippedPathsAndUnbalancedGroupEnds)
{
    core::TqoLogCapture log;
    auto document = Document({10, 10});
    document.EndGroup();
    document.DrawPath(QStringLiteral("M0 0L10"));
    document.DrawPath(Rect(0, 0, 10, 10));
    const TsvgExportFMXBitmapWithSkia writer(document);
    EXPECT_EQ(Pixel(writer.Bitmap(), {5, 5}), Black);
    ASSERT_EQ(log.Entries().size(), 2u);
    EXPECT_EQ(log.Entries()[0].Level, core::TqoLogLevel::Warning);
    EXPECT_TRUE(log.Entries()[1].Message.contains(QStringLiteral("\"M0 0L10\"")))
        << log.Entries()[1].Message.toStdString();
}

TEST(WriterSkiaFMX, PaintColors)
{
    readertest::ExpectConversions<core::TqoAlphaColor>(TsvgExportFMXBitmapWithSkia::TryStrToColor,
                                                       {{"ThreeDigitsDoubled", "#f0a", true, 0xFFFF00AA},
                                                        {"EightDigitsAlphaFirst", "#80FF0000", true, 0x80FF0000},
                                                        {"FiveDigitsAsTheyAre", "#12345", true, 0x00012345},
                                                        {"BlanksAfterHashTrimmed", "# fff ", true, 0xFFFFFFFF},
                                                        {"LeadingBlank", " #fff", false, 0},
                                                        {"BadDigits", "#GGG", false, 0},
                                                        {"NineDigits", "#123456789", false, 0}},
                                                       0x12345678u);
}

} // namespace

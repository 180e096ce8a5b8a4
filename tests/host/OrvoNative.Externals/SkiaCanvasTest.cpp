#include "System.Skia.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

namespace {

using ext::TAlphaColor;

QImage Draw(int AWidth, int AHeight, const std::function<void(ext::ISkCanvas&)>& AProc)
{
    QImage image(AWidth, AHeight, QImage::Format_ARGB32_Premultiplied);
    ext::TSkBitmapHelper::SkiaDraw(image, [&](const std::shared_ptr<ext::ISkCanvas>& ACanvas) { AProc(*ACanvas); });
    return image;
}

std::shared_ptr<ext::ISkPath> Path(const char* AData) { return ext::TSkPath::Create(QString::fromUtf8(AData)); }

// Rows painted in column AX, top to bottom.
std::vector<int> PaintedRows(const QImage& AImage, int AX)
{
    std::vector<int> rows;
    for (int y = 0; y < AImage.height(); ++y)
        if (qAlpha(AImage.pixel(AX, y)) != 0)
            rows.push_back(y);
    return rows;
}

// ---------------------------------------------------------------- stroke width

struct TWidthCase
{
    const char* Name;
    float Width;
    std::vector<int> Rows;
};

using SkStrokeWidthTest = ::testing::TestWithParam<TWidthCase>;

TEST_P(SkStrokeWidthTest, IsInUserUnitsExceptTheHairline)
{
    // y = 2.5625 user units is the center of device row 20 under a scale of 8.
    const QImage image = Draw(40, 40, [](ext::ISkCanvas& ACanvas) {
        ACanvas.SetMatrix(QTransform::fromScale(8, 8));
        auto paint = ext::TSkPaint::Create(ext::TSkPaintStyle::Stroke);
        paint->SetStrokeWidth(GetParam().Width);
        ACanvas.DrawPath(*Path("M0.5 2.5625H4.5"), *paint);
    });
    EXPECT_EQ(PaintedRows(image, 20), GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(Widths, SkStrokeWidthTest,
                         ::testing::Values(TWidthCase{"hairline_stays_one_pixel", 0, {20}},
                                           TWidthCase{"three_eighths_is_three_pixels", 0.375f, {19, 20, 21}},
                                           TWidthCase{"one_unit_is_eight_pixels", 1, {17, 18, 19, 20, 21, 22, 23, 24}}),
                         testdata::TCaseName());

// ---------------------------------------------------------------- caps

struct TCapCase
{
    const char* Name;
    const char* Data;
    ext::TSkStrokeCap Cap;
    bool CenterPainted; // (10, 10), where every path starts
    bool EndPainted;    // just before the start on the center line
    bool CornerPainted; // before the start and off the center line: only a square cap's corner
};

using SkStrokeCapTest = ::testing::TestWithParam<TCapCase>;

// Icons draw dots as zero-length strokes with round caps.
TEST_P(SkStrokeCapTest, ShapesTheEndsAndMakesDotsOfZeroLengthStrokes)
{
    const TCapCase& c = GetParam();
    const QImage image = Draw(40, 20, [&](ext::ISkCanvas& ACanvas) {
        auto paint = ext::TSkPaint::Create(ext::TSkPaintStyle::Stroke);
        paint->SetStrokeWidth(6);
        paint->SetStrokeCap(c.Cap);
        ACanvas.DrawPath(*Path(c.Data), *paint);
    });
    EXPECT_EQ(qAlpha(image.pixel(10, 10)) != 0, c.CenterPainted);
    EXPECT_EQ(qAlpha(image.pixel(9, 10)) != 0, c.EndPainted);
    EXPECT_EQ(qAlpha(image.pixel(7, 7)) != 0, c.CornerPainted);
}

INSTANTIATE_TEST_SUITE_P(
    Caps, SkStrokeCapTest,
    ::testing::Values(TCapCase{"butt", "M10 10H30", ext::TSkStrokeCap::Butt, true, false, false},
                      TCapCase{"round", "M10 10H30", ext::TSkStrokeCap::Round, true, true, false},
                      TCapCase{"square", "M10 10H30", ext::TSkStrokeCap::Square, true, true, true},
                      TCapCase{"round_dot", "M10 10h0", ext::TSkStrokeCap::Round, true, true, false},
                      TCapCase{"square_dot", "M10 10h0", ext::TSkStrokeCap::Square, true, true, true},
                      TCapCase{"round_close_dot", "M10 10Z", ext::TSkStrokeCap::Round, true, true, false},
                      TCapCase{"round_curve_dot", "M10 10c0 0 0 0 0 0", ext::TSkStrokeCap::Round, true, true, false},
                      TCapCase{"butt_dot_is_nothing", "M10 10h0", ext::TSkStrokeCap::Butt, false, false, false},
                      TCapCase{"lone_move_is_nothing", "M10 10", ext::TSkStrokeCap::Round, false, false, false}),
    testdata::TCaseName());

// ---------------------------------------------------------------- joins

struct TJoinCase
{
    const char* Name;
    double Angle; // full opening angle of the corner, degrees
    ext::TSkStrokeJoin Join;
    float MiterLimit;
    bool TipPainted;
};

using SkStrokeJoinTest = ::testing::TestWithParam<TJoinCase>;

// The miter limit is Skia's (and SVG's): miter length over stroke width, 1 / sin(angle / 2).
TEST_P(SkStrokeJoinTest, MiterUpToTheLimitThenBevel)
{
    const TJoinCase& c = GetParam();
    const QImage image = Draw(100, 100, [&](ext::ISkCanvas& ACanvas) {
        const double half = c.Angle / 2 * M_PI / 180;
        ext::TSkPathBuilder builder;
        builder.MoveTo(QPointF(50 - 40 * std::cos(half), 50 - 40 * std::sin(half)))
            .LineTo(QPointF(50, 50))
            .LineTo(QPointF(50 - 40 * std::cos(half), 50 + 40 * std::sin(half)));
        auto paint = ext::TSkPaint::Create(ext::TSkPaintStyle::Stroke);
        paint->SetStrokeWidth(4);
        paint->SetStrokeJoin(c.Join);
        paint->SetStrokeMiter(c.MiterLimit);
        ACanvas.DrawPath(*builder.Detach(), *paint);
    });
    // A bevel ends within a pixel of the corner; these miters reach beyond x = 53.
    EXPECT_EQ(qAlpha(image.pixel(52, 50)) != 0, c.TipPainted);
}

INSTANTIATE_TEST_SUITE_P(
    Joins, SkStrokeJoinTest,
    ::testing::Values(TJoinCase{"ratio_3_9_under_default_4", 30, ext::TSkStrokeJoin::Miter, 4, true},
                      TJoinCase{"ratio_5_8_over_default_4", 20, ext::TSkStrokeJoin::Miter, 4, false},
                      TJoinCase{"ratio_2_9_over_limit_2", 40, ext::TSkStrokeJoin::Miter, 2, false},
                      TJoinCase{"bevel", 40, ext::TSkStrokeJoin::Bevel, 4, false},
                      TJoinCase{"round", 40, ext::TSkStrokeJoin::Round, 4, false}),
    testdata::TCaseName());

// ---------------------------------------------------------------- paint color and alpha

TEST(SkPaint, AlphaFractionReplacesTheColorsAlpha)
{
    auto paint = ext::TSkPaint::Create();
    paint->SetColor(0x20FF8000);
    paint->SetAlphaF(1);
    EXPECT_EQ(paint->GetColor(), 0xFFFF8000u);
    paint->SetAlphaF(0.5f);
    EXPECT_EQ(paint->GetColor(), 0x80FF8000u);
    EXPECT_EQ(paint->GetAlphaF(), 0.5f);
    paint->SetAlphaF(7); // pinned
    EXPECT_EQ(paint->GetAlphaF(), 1.0f);
    // A color set later brings its own alpha.
    paint->SetColor(0x10FF8000);
    EXPECT_EQ(paint->GetColor(), 0x10FF8000u);
}

// ---------------------------------------------------------------- dashes

struct TDashCase
{
    const char* Name;
    std::vector<float> Intervals;
    float Phase;
    float Width;
    double Scale;
    std::vector<int> PaintedX;
    std::vector<int> EmptyX;
};

using SkDashTest = ::testing::TestWithParam<TDashCase>;

TEST_P(SkDashTest, IntervalsAreInUserUnits)
{
    const TDashCase& c = GetParam();
    const QImage image = Draw(64, 20, [&](ext::ISkCanvas& ACanvas) {
        ACanvas.SetMatrix(QTransform::fromScale(c.Scale, c.Scale));
        auto paint = ext::TSkPaint::Create(ext::TSkPaintStyle::Stroke);
        paint->SetStrokeWidth(c.Width);
        paint->SetPathEffect(ext::TSkPathEffect::MakeDash(c.Intervals, c.Phase));
        if (c.Intervals[0] == 0)
            paint->SetStrokeCap(ext::TSkStrokeCap::Round);
        // Along device row 10, whatever the scale.
        ext::TSkPathBuilder builder;
        builder.MoveTo(QPointF(0, 10.5 / c.Scale)).LineTo(QPointF(64 / c.Scale, 10.5 / c.Scale));
        ACanvas.DrawPath(*builder.Detach(), *paint);
    });
    for (int x : c.PaintedX)
        EXPECT_NE(qAlpha(image.pixel(x, 10)), 0) << "x=" << x;
    for (int x : c.EmptyX)
        EXPECT_EQ(qAlpha(image.pixel(x, 10)), 0) << "x=" << x;
}

INSTANTIATE_TEST_SUITE_P(
    Dashes, SkDashTest,
    ::testing::Values(
        // Two units on, two off under a scale of 4: eight pixels each.
        TDashCase{"hairline_scaled", {2, 2}, 0, 0, 4, {1, 6, 17, 22}, {9, 14, 25, 30}},
        TDashCase{"phase_shifts_the_pattern", {2, 2}, 1, 0, 4, {1, 13, 18}, {5, 10, 21}},
        TDashCase{"negative_phase_counts_back", {2, 2}, -1, 0, 4, {5, 10, 21}, {1, 13, 18}},
        // Qt would stretch these by the pen width; Skia does not.
        TDashCase{"wide_pen_keeps_user_units", {2, 2}, 0, 1, 4, {1, 6, 17, 22}, {9, 14, 25, 30}},
        TDashCase{"uneven_pattern", {3, 1, 1, 1}, 0, 0, 2, {1, 4, 9, 13, 16}, {7, 11, 19}},
        TDashCase{"zero_length_dashes_with_round_caps_are_dots", {0, 6}, 0, 3, 1, {6, 12, 18}, {3, 9, 15}}),
    testdata::TCaseName());

TEST(SkDash, ClosedContourDashRunsAcrossItsStart)
{
    // The square's perimeter is 40 and the pattern 5 on, 5 off starts 2.5 into a dash: the
    // last dash (37.5..40) and the first (0..2.5) meet at the start and must join, with no caps.
    const QImage image = Draw(30, 30, [](ext::ISkCanvas& ACanvas) {
        auto paint = ext::TSkPaint::Create(ext::TSkPaintStyle::Stroke);
        paint->SetStrokeWidth(4);
        paint->SetStrokeJoin(ext::TSkStrokeJoin::Miter);
        paint->SetPathEffect(ext::TSkPathEffect::MakeDash({5, 5}, 2.5f));
        ACanvas.DrawPath(*Path("M10 10H20V20H10Z"), *paint);
    });
    // The miter corner at the start (8..10, 8..10) exists only when the two dashes are joined.
    EXPECT_EQ(qAlpha(image.pixel(8, 8)), 255);
}

TEST(SkDash, OnlyEvenPositiveListsMakeAnEffect)
{
    const std::pair<std::vector<float>, bool> lists[] = {{{}, false},      {{5, 3, 2}, false}, {{0, 0}, false},
                                                         {{-1, 2}, false}, {{0, 2}, true},     {{1, 2, 3, 4}, true}};
    for (const auto& [intervals, valid] : lists)
        EXPECT_EQ(ext::TSkPathEffect::MakeDash(intervals, 0) != nullptr, valid) << ::testing::PrintToString(intervals);
}

// ---------------------------------------------------------------- shaders

struct TShaderCase
{
    const char* Name;
    std::function<std::shared_ptr<ext::ISkShader>()> Make;
    QPoint At;
    TAlphaColor Expected;
    int Tolerance; // per channel; pixels between stops are sampled at their centers
};

using SkShaderTest = ::testing::TestWithParam<TShaderCase>;

TEST_P(SkShaderTest, FillsWithTheGradientColor)
{
    const QImage image = Draw(40, 40, [](ext::ISkCanvas& ACanvas) {
        auto paint = ext::TSkPaint::Create();
        paint->SetShader(GetParam().Make());
        ACanvas.DrawPath(*Path("M0 0H40V40H0Z"), *paint);
    });
    const QRgb pixel = image.pixel(GetParam().At);
    const TAlphaColor expected = GetParam().Expected;
    EXPECT_NEAR(qAlpha(pixel), qAlpha(expected), GetParam().Tolerance);
    EXPECT_NEAR(qRed(pixel), qRed(expected), GetParam().Tolerance);
    EXPECT_NEAR(qGreen(pixel), qGreen(expected), GetParam().Tolerance);
    EXPECT_NEAR(qBlue(pixel), qBlue(expected), GetParam().Tolerance);
}

constexpr TAlphaColor Red = 0xFFFF0000, Blue = 0xFF0000FF, Green = 0xFF00FF00;

std::shared_ptr<ext::ISkShader> RedToBlue(ext::TSkTileMode AMode = ext::TSkTileMode::Clamp,
                                          const QTransform& AMatrix = QTransform())
{
    return ext::TSkShader::MakeGradientLinear(QPointF(10, 0), QPointF(30, 0), {Red, Blue}, {0, 1}, AMode, AMatrix);
}

// Red up to the middle, blue from there.
std::shared_ptr<ext::ISkShader> HardStop()
{
    return ext::TSkShader::MakeGradientLinear(QPointF(0, 0), QPointF(40, 0), {Red, Red, Blue, Blue},
                                              {0, 0.5f, 0.5f, 1});
}

INSTANTIATE_TEST_SUITE_P(
    Gradients, SkShaderTest,
    ::testing::Values(TShaderCase{"linear_clamps_before_start", [] { return RedToBlue(); }, QPoint(2, 5), Red, 0},
                      TShaderCase{"linear_clamps_after_end", [] { return RedToBlue(); }, QPoint(37, 5), Blue, 0},
                      TShaderCase{"linear_repeats_after_end", [] { return RedToBlue(ext::TSkTileMode::Repeat); },
                                  QPoint(30, 5), Red, 8},
                      TShaderCase{
                          "linear_stops_spread_evenly_without_positions",
                          [] {
                              return ext::TSkShader::MakeGradientLinear({0, 0}, {40, 0}, {Red, Green, Blue}, {});
                          },
                          QPoint(19, 5), Green, 8},
                      TShaderCase{"hard_stop_keeps_the_first_color_to_the_stop", HardStop, QPoint(18, 5), Red, 0},
                      TShaderCase{"local_matrix_moves_the_gradient",
                                  [] { return RedToBlue(ext::TSkTileMode::Clamp, QTransform::fromTranslate(-20, 0)); },
                                  QPoint(12, 5), Blue, 0},
                      TShaderCase{"same_start_and_end_clamps_to_last_color",
                                  [] {
                                      return ext::TSkShader::MakeGradientLinear({5, 5}, {5, 5}, {Red, Blue}, {});
                                  },
                                  QPoint(1, 1), Blue, 0},
                      TShaderCase{"radial_center_is_first_color",
                                  [] {
                                      return ext::TSkShader::MakeGradientRadial({20, 20}, 10, {Red, Blue}, {0, 1});
                                  },
                                  QPoint(20, 20), Red, 24}),
    testdata::TCaseName());

TEST(SkShader, PaintAlphaScalesTheShaderAndItsColorIsIgnored)
{
    const QImage image = Draw(40, 10, [](ext::ISkCanvas& ACanvas) {
        auto paint = ext::TSkPaint::Create();
        paint->SetColor(0xFF00FF00);
        paint->SetShader(RedToBlue());
        paint->SetAlphaF(0.5f);
        ACanvas.DrawPath(*Path("M0 0H40V10H0Z"), *paint);
    });
    // pixel() of a premultiplied image is premultiplied.
    const QRgb left = qUnpremultiply(image.pixel(2, 5));
    EXPECT_NEAR(qAlpha(left), 128, 1);
    EXPECT_EQ(qRed(left), 255);
    EXPECT_EQ(qGreen(left), 0);
}

TEST(SkShader, InvalidArgumentsGiveNoShader)
{
    EXPECT_EQ(ext::TSkShader::MakeGradientLinear(QPointF(0, 0), QPointF(1, 0), {}, {}), nullptr);
    EXPECT_EQ(ext::TSkShader::MakeGradientLinear(QPointF(0, 0), QPointF(1, 0), {Red, Blue}, {0}), nullptr);
    EXPECT_EQ(ext::TSkShader::MakeGradientRadial(QPointF(0, 0), -1, {Red, Blue}, {}), nullptr);
}

// ---------------------------------------------------------------- canvas state

TEST(SkCanvas, SaveCountsAndRestoresTheMatrix)
{
    Draw(4, 4, [](ext::ISkCanvas& ACanvas) {
        EXPECT_EQ(ACanvas.GetSaveCount(), 1);
        ACanvas.SetMatrix(QTransform::fromScale(2, 2));
        EXPECT_EQ(ACanvas.Save(), 1);
        EXPECT_EQ(ACanvas.GetSaveCount(), 2);
        ACanvas.Concat(QTransform::fromTranslate(10, 0));
        // The concatenated matrix applies first: (1, 1) -> (11, 1) -> (22, 2).
        EXPECT_EQ(ACanvas.GetLocalToDeviceAs3x3().map(QPointF(1, 1)), QPointF(22, 2));
        EXPECT_EQ(ACanvas.Save(), 2);
        ACanvas.ResetMatrix();
        EXPECT_EQ(ACanvas.GetSaveCount(), 3);
        ACanvas.Restore();
        EXPECT_EQ(ACanvas.GetLocalToDeviceAs3x3().map(QPointF(1, 1)), QPointF(22, 2));
        ACanvas.Restore();
        EXPECT_EQ(ACanvas.GetLocalToDeviceAs3x3(), QTransform::fromScale(2, 2));
        ACanvas.Restore(); // nothing left to restore
        EXPECT_EQ(ACanvas.GetSaveCount(), 1);
        ACanvas.Save();
        ACanvas.Save();
        ACanvas.RestoreToCount(2);
        EXPECT_EQ(ACanvas.GetSaveCount(), 2);
    });
}

TEST(SkCanvas, ClearReplacesPixelsWhateverTheMatrix)
{
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    ext::TSkBitmapHelper::SkiaDraw(
        image,
        [](const std::shared_ptr<ext::ISkCanvas>& ACanvas) {
            ACanvas->SetMatrix(QTransform::fromScale(0.1, 0.1));
            ACanvas->Clear(0x00000000);
        },
        false);
    EXPECT_EQ(image.pixel(3, 3), 0u);
}

TEST(SkBitmapHelper, StartsCleanUnlessToldAndConvertsTheFormat)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QImage kept = image;
    ext::TSkBitmapHelper::SkiaDraw(image, [](const std::shared_ptr<ext::ISkCanvas>&) {});
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(image.pixel(1, 1), 0u);
    ext::TSkBitmapHelper::SkiaDraw(
        kept, [](const std::shared_ptr<ext::ISkCanvas>&) {}, false);
    EXPECT_EQ(kept.pixel(1, 1), 0xFFFF0000u);

    // A null bitmap still runs the procedure, on a canvas that draws nothing.
    QImage none;
    bool ran = false;
    ext::TSkBitmapHelper::SkiaDraw(none, [&](const std::shared_ptr<ext::ISkCanvas>& ACanvas) {
        ran = true;
        ACanvas->DrawPath(*Path("M0 0H4V4Z"), *ext::TSkPaint::Create());
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(none.isNull());
}

} // namespace

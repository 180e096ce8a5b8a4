#include "System.Skia.h"
#include "TestData.h"

#include <charconv>
#include <cstring>
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

namespace {

struct TPathCase
{
    const char* Name;
    const char* Data;
    const char* Expected; // absolute path data of the result
};

using SvgPathDataTest = ::testing::TestWithParam<TPathCase>;

TEST_P(SvgPathDataTest, ParsesToPoints)
{
    std::shared_ptr<ext::ISkPath> path;
    ASSERT_TRUE(ext::TSkPath::TryCreate(QString::fromUtf8(GetParam().Data), path));
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->ToSVG().toStdString(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, SvgPathDataTest,
    ::testing::Values(
        TPathCase{"absolute_lines", "M10 20 L30 40 H50 V60 Z", "M10 20L30 40L50 40L50 60Z"},
        TPathCase{"relative_lines", "m10 20 l5 5 h5 v-10 z", "M10 20L15 25L20 25L20 15Z"},
        TPathCase{"pairs_after_move_are_lines", "M0 0 10 0 10 10", "M0 0L10 0L10 10"},
        TPathCase{"pairs_after_relative_move_are_relative_lines", "m1 1 2 0 0 2", "M1 1L3 1L3 3"},
        TPathCase{"numbers_run_together", "M1.5.5L-1-2", "M1.5 0.5L-1 -2"},
        TPathCase{"exponents", "M1e-3 2E2L1e1,0", "M0.001 200L10 0"}, TPathCase{"plus_signs", "M+1+2", "M1 2"},
        TPathCase{"mixed_separators", "M 1,2\t\nL3 , 4", "M1 2L3 4"}, TPathCase{"repeated_commas", "M1,,2", "M1 2"},
        TPathCase{"cubic_then_smooth_mirrors_control", "M0 0C1 2 3 4 5 6S9 10 11 12",
                  "M0 0C1 2 3 4 5 6C7 8 9 10 11 12"},
        TPathCase{"smooth_without_cubic_uses_current_point", "M0 0L1 1S3 4 5 6", "M0 0L1 1C1 1 3 4 5 6"},
        TPathCase{"quad_then_relative_smooth", "M0 0q1 1 2 0t2 0", "M0 0Q1 1 2 0Q3 -1 4 0"},
        TPathCase{"relative_after_close_starts_at_contour_start", "M10 10l5 0z l0 5", "M10 10L15 10ZM10 10L10 15"},
        TPathCase{"second_close_is_dropped", "M0 0L1 0ZZ", "M0 0L1 0Z"},
        TPathCase{"line_first_starts_at_origin", "L5 5", "M0 0L5 5"},
        TPathCase{"zero_radius_arc_is_line", "M0 0A0 5 0 0 1 10 0", "M0 0L10 0"},
        TPathCase{"arc_to_its_start_is_line", "M5 5A3 3 0 0 1 5 5", "M5 5L5 5"},
        TPathCase{"skia_segment_shorthand", "M0 0~1 2 3 4", "M0 0M1 2L3 4"}, TPathCase{"empty", "", ""},
        TPathCase{"trailing_blanks", "M1 2 ", "M1 2"}),
    testdata::TCaseName());

struct TArcCase
{
    const char* Name;
    const char* Data;
    QRectF Bounds; // tight bounds of the arc
    QPointF End;
};

using SvgArcTest = ::testing::TestWithParam<TArcCase>;

TEST_P(SvgArcTest, CoversTheRightSideAndEndsOnTheEndpoint)
{
    std::shared_ptr<ext::ISkPath> path;
    ASSERT_TRUE(ext::TSkPath::TryCreate(QString::fromUtf8(GetParam().Data), path));
    const QRectF bounds = path->GetTightBounds();
    const QRectF& expected = GetParam().Bounds;
    EXPECT_NEAR(bounds.left(), expected.left(), 0.01);
    EXPECT_NEAR(bounds.top(), expected.top(), 0.01);
    EXPECT_NEAR(bounds.right(), expected.right(), 0.01);
    EXPECT_NEAR(bounds.bottom(), expected.bottom(), 0.01);
    EXPECT_EQ(path->GetPoints().back(), GetParam().End);
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, SvgArcTest,
    ::testing::Values(
        // Sweep 1 turns towards positive angles: with y down, over the top.
        TArcCase{"sweep_over_the_top", "M0 10A10 10 0 0 1 20 10", QRectF(0, 0, 20, 10), QPointF(20, 10)},
        TArcCase{"no_sweep_under_the_bottom", "M0 10A10 10 0 0 0 20 10", QRectF(0, 10, 20, 10), QPointF(20, 10)},
        TArcCase{"flags_without_separators", "M0 10a10 10 0 0020 0", QRectF(0, 10, 20, 10), QPointF(20, 10)},
        TArcCase{"radii_too_small_are_scaled_up", "M0 0A1 1 0 0 1 10 0", QRectF(0, -5, 10, 5), QPointF(10, 0)},
        TArcCase{"large_arc_takes_three_quarters", "M0 0A5 5 0 1 1 5 5", QRectF(0, -5, 10, 10), QPointF(5, 5)},
        TArcCase{"small_arc_takes_one_quarter", "M0 0A5 5 0 0 1 5 5", QRectF(0, 0, 5, 5), QPointF(5, 5)},
        TArcCase{"rotated_ellipse", "M0 0A10 5 90 0 1 0 20", QRectF(0, 0, 5, 20), QPointF(0, 20)}),
    testdata::TCaseName());

struct TBadPathCase
{
    const char* Name;
    const char* Data;
};

using SvgPathDataRejectTest = ::testing::TestWithParam<TBadPathCase>;

TEST_P(SvgPathDataRejectTest, FailsAndKeepsNothing)
{
    const QString data = QString::fromUtf8(GetParam().Data);
    auto before = ext::TSkPathBuilder().MoveTo(QPointF(1, 1)).Snapshot();
    std::shared_ptr<ext::ISkPath> path = before;
    EXPECT_FALSE(ext::TSkPath::TryCreate(data, path));
    EXPECT_EQ(path, before);
    EXPECT_THROW(ext::TSkPath::Create(data), ext::ESkException);
}

INSTANTIATE_TEST_SUITE_P(Grammar, SvgPathDataRejectTest,
                         ::testing::Values(TBadPathCase{"number_first", "10 10"},
                                           TBadPathCase{"unknown_command", "M0 0 X5 5"},
                                           TBadPathCase{"number_after_close", "M0 0L5 5Z 1 1"},
                                           TBadPathCase{"truncated_pair", "M0 0L10"},
                                           TBadPathCase{"trailing_separator", "M0 0,"},
                                           // The layout the SVG reader writes for <line>.
                                           TBadPathCase{"separator_before_a_command", "M1.00, 2.00, L3.00, 4.00"},
                                           TBadPathCase{"missing_cubic_point", "M0 0C1 1 2 2"},
                                           TBadPathCase{"arc_flag_not_0_or_1", "M0 0A5 5 0 2 1 10 0"},
                                           TBadPathCase{"exponent_without_digits", "M1e 5"},
                                           TBadPathCase{"too_large_for_a_float", "M1e39 0"},
                                           TBadPathCase{"non_ascii_digit", "M0 0L\uFF15 5"}),
                         testdata::TCaseName());

// Short decimals take a quicker road than the others; both must give the nearest float.
TEST(SvgPathData, DecimalsReadAsTheNearestFloat)
{
    for (const char* text : {"0.1", "-0.3", "1.0000001", "16777217", "123456789012345", "0.000000000000001",
                             "1234567890123456", "2.5e-3", "9.999999999", "0.5"}) {
        std::shared_ptr<ext::ISkPath> path;
        ASSERT_TRUE(ext::TSkPath::TryCreate(QStringLiteral("M%1 0").arg(QLatin1String(text)), path)) << text;
        double expected = 0;
        std::from_chars(text, text + std::strlen(text), expected);
        EXPECT_EQ(path->GetPoints().at(0).x(), double(float(expected))) << text;
    }
}

TEST(SvgPathData, EmbeddedZeroIsNotPathData)
{
    std::shared_ptr<ext::ISkPath> path;
    EXPECT_FALSE(ext::TSkPath::TryCreate(QStringLiteral("M0 0L5 5") + QChar(0) + QStringLiteral("L9 9"), path));
    EXPECT_EQ(path, nullptr);
}

// Path data from files is unchecked: whatever the text, parsing either fails or gives a
// well-formed path (a move first, the points its verbs need, all finite).
TEST(SvgPathData, ArbitraryTextGivesFailureOrAWellFormedPath)
{
    const char alphabet[] = "MmLlHhVvCcSsQqTtAaZz0123456789011..--+eE,,   \t\n";
    unsigned state = 12345;
    auto next = [&] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    int accepted = 0;
    for (int round = 0; round < 5000; ++round) {
        QString text;
        const int length = int(next() % 40);
        for (int i = 0; i < length; ++i)
            text += QLatin1Char(alphabet[next() % (sizeof(alphabet) - 1)]);
        std::shared_ptr<ext::ISkPath> path;
        if (!ext::TSkPath::TryCreate(text, path))
            continue;
        ++accepted;
        const auto& verbs = path->GetVerbs();
        size_t needed = 0;
        for (ext::TSkPathVerb verb : verbs)
            needed += verb == ext::TSkPathVerb::Close   ? 0
                      : verb == ext::TSkPathVerb::Quad  ? 2
                      : verb == ext::TSkPathVerb::Cubic ? 3
                                                        : 1;
        ASSERT_EQ(path->GetPoints().size(), needed) << text.toStdString();
        if (!verbs.empty()) {
            ASSERT_EQ(verbs.front(), ext::TSkPathVerb::Move) << text.toStdString();
        }
        for (const QPointF& p : path->GetPoints())
            ASSERT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y())) << text.toStdString();
    }
    // The generator must reach the accepting paths too, or this proves nothing.
    EXPECT_GT(accepted, 100);
}

TEST(SkPathBuilder, SnapshotKeepsDetachEmptiesAndAddPathTakesContoursButNotTheFillType)
{
    ext::TSkPathBuilder builder(ext::TSkPathFillType::EvenOdd);
    builder.AddPath(*ext::TSkPath::Create(QStringLiteral("M0 0L4 0L4 3")));
    const auto snapshot = builder.Snapshot();
    const auto detached = builder.Detach();
    EXPECT_EQ(snapshot->ToSVG(), QStringLiteral("M0 0L4 0L4 3"));
    EXPECT_EQ(detached->ToSVG(), snapshot->ToSVG());
    EXPECT_EQ(detached->GetFillType(), ext::TSkPathFillType::EvenOdd);
    EXPECT_EQ(detached->GetBounds(), QRectF(0, 0, 4, 3));
    EXPECT_TRUE(builder.IsEmpty());
    EXPECT_EQ(builder.GetFillType(), ext::TSkPathFillType::EvenOdd);
    // The detached path is not touched by later building.
    builder.MoveTo(QPointF(9, 9));
    EXPECT_EQ(detached->GetPoints().size(), 3u);
}

// A pentagram overlaps itself: its inner pentagon is wound twice.
struct TFillTypeCase
{
    const char* Name;
    ext::TSkPathFillType FillType;
    bool CenterFilled;
};

using SkFillTypeTest = ::testing::TestWithParam<TFillTypeCase>;

TEST_P(SkFillTypeTest, DecidesTheTwiceWoundArea)
{
    const auto star = ext::TSkPath::Create(QStringLiteral("M10 0L16 20L0 7L20 7L4 20Z"));
    ext::TSkPathBuilder builder(GetParam().FillType);
    builder.AddPath(*star);
    const auto path = builder.Detach();
    EXPECT_EQ(path->Contains(10, 11), GetParam().CenterFilled);
    EXPECT_TRUE(path->Contains(10, 3)); // a tip, wound once

    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    ext::TSkBitmapHelper::SkiaDraw(image, [&](const std::shared_ptr<ext::ISkCanvas>& ACanvas) {
        const auto paint = ext::TSkPaint::Create(ext::TSkPaintStyle::Fill);
        ACanvas->DrawPath(*path, *paint);
    });
    EXPECT_EQ(image.pixel(10, 11), GetParam().CenterFilled ? 0xFF000000u : 0u);
    EXPECT_EQ(image.pixel(10, 3), 0xFF000000u);
}

INSTANTIATE_TEST_SUITE_P(FillTypes, SkFillTypeTest,
                         ::testing::Values(TFillTypeCase{"winding", ext::TSkPathFillType::Winding, true},
                                           TFillTypeCase{"even_odd", ext::TSkPathFillType::EvenOdd, false}),
                         testdata::TCaseName());

} // namespace

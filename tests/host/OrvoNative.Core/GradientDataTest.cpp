#include "ORVO.GradientData.h"

#include <gtest/gtest.h>

namespace {

TEST(Gradient, ChangesInsideAnUpdateAreReportedOnceAtItsEnd)
{
    core::TqoGradientData LGradient;
    int LChanges = 0;
    LGradient.OnChanged = [&] { ++LChanges; };
    LGradient.BeginUpdate();
    LGradient.ClearPoints();
    LGradient.AddPoint(0xFF000000, 0);
    LGradient.SetStyle(core::TqoGradientStyle::Radial);
    EXPECT_EQ(LChanges, 0);
    LGradient.EndUpdate();
    EXPECT_EQ(LChanges, 1);
    LGradient.SetStopPoint({1, 1});
    EXPECT_EQ(LChanges, 2);
}

TEST(Gradient, InterpolatesBetweenThePointsAroundAnOffset)
{
    core::TqoGradientData LGradient;
    LGradient.ClearPoints();
    // Out of order on purpose: the offsets decide.
    LGradient.AddPoint(0xFF0000FF, 1);
    LGradient.AddPoint(0x00FF0000, 0.5f);
    EXPECT_EQ(LGradient.InterpolateColor(0.75f), 0x80800080u);
    EXPECT_EQ(LGradient.InterpolateColor(0.2f), 0x00FF0000u);
    EXPECT_EQ(LGradient.InterpolateColor(2), 0xFF0000FFu);
}

} // namespace

#include "ORVO.Externals.Lottie.h"

#include "TestData.h"

#include <gtest/gtest.h>

namespace {

using ext::TSkottieAnimation;

QString LottieDir() { return testdata::SharedDataDir() + QStringLiteral("/lottie/"); }

struct TRealAnimation
{
    std::string Name;
    const char* File;
    double Duration;
    double FrameCount;
    double FrameRate;
};

class LottieRealAnimation : public testing::TestWithParam<TRealAnimation>
{
};

// The durations a device's player reports, (op - ip) / fr; rlottie's own duration() is one frame
// shorter ((op - ip - 1) / fr: 1.0010 s instead of 1.0344 s for the honey sack).
TEST_P(LottieRealAnimation, ReportsDeviceTiming)
{
    if (!testdata::HasSharedData(QStringLiteral("lottie")))
        GTEST_SKIP() << "no shared Lottie animations";
    const auto& C = GetParam();
    TSkottieAnimation LAnimation;
    ASSERT_TRUE(LAnimation.LoadFromFile(LottieDir() + QString::fromLatin1(C.File))) << LAnimation.Error().toStdString();
    EXPECT_NEAR(LAnimation.Duration(), C.Duration, 5e-5);
    EXPECT_NEAR(LAnimation.FrameCount(), C.FrameCount, 1e-3);
    EXPECT_NEAR(LAnimation.FrameRate(), C.FrameRate, 1e-3);
    EXPECT_FALSE(LAnimation.Size().isEmpty());
    // Some frame paints something: the player was really given the animation.
    const QImage LFrame = LAnimation.Render(int(C.FrameCount / 2), QSize(64, 64));
    ASSERT_EQ(LFrame.size(), QSize(64, 64));
    bool LPainted = false;
    for (int Y = 0; Y < LFrame.height() && !LPainted; ++Y)
        for (int X = 0; X < LFrame.width() && !LPainted; ++X)
            LPainted = qAlpha(LFrame.pixel(X, Y)) != 0;
    EXPECT_TRUE(LPainted);
}

INSTANTIATE_TEST_SUITE_P(Shared, LottieRealAnimation,
                         testing::Values(TRealAnimation{"HoneySack", "5344-honey-sack-hud.json", 1.0344, 31, 29.97},
                                         TRealAnimation{"Anubis", "anubis.json", 2.2833, 137, 60},
                                         TRealAnimation{"Done", "done.json", 2.5359, 76, 29.97},
                                         TRealAnimation{"LeapFrog", "leap_frog_loader.json", 2.0, 48, 24},
                                         TRealAnimation{"Ripple", "ripple.json", 6.0167, 361, 60}),
                         testdata::TCaseName());

QByteArray Animation(const QByteArray& ALayers, const QByteArray& AAssets = "[]",
                     const QByteArray& AHead = R"("fr":30,"ip":0,"op":60,"w":100,"h":100)")
{
    return "{\"v\":\"5.5.2\"," + AHead + ",\"assets\":" + AAssets + ",\"layers\":" + ALayers + "}";
}

const QByteArray Shape =
    R"({"ty":4,"ind":1,"ip":0,"op":60,"st":0,"ks":{"o":{"a":0,"k":100}},"shapes":[{"ty":"gr","it":[{"ty":"rc","s":{"a":0,"k":[50,50]},"p":{"a":0,"k":[50,50]},"r":{"a":0,"k":0}},{"ty":"fl","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100}}]}]})";

struct TDamagedAnimation
{
    std::string Name;
    QByteArray Data;
    const char* Reason;
};

class LottieDamagedAnimation : public testing::TestWithParam<TDamagedAnimation>
{
};

// Each of these reaches rlottie's unchecked paths (or a stack overflow); none may get that far.
TEST_P(LottieDamagedAnimation, IsRefusedWithReason)
{
    const auto& C = GetParam();
    TSkottieAnimation LAnimation;
    EXPECT_FALSE(LAnimation.LoadFromData(C.Data));
    EXPECT_FALSE(LAnimation.IsLoaded());
    EXPECT_TRUE(LAnimation.Error().contains(QString::fromLatin1(C.Reason))) << LAnimation.Error().toStdString();
    EXPECT_TRUE(LAnimation.Render(0, QSize(16, 16)).isNull());
}

QByteArray Nested(int ADepth) { return QByteArray(ADepth, '[') + "0" + QByteArray(ADepth, ']'); }

QByteArray Truncated()
{
    const QByteArray LWhole = Animation("[" + Shape + "]");
    return LWhole.left(LWhole.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LottieDamagedAnimation,
    testing::Values(
        TDamagedAnimation{"Truncated", Truncated(), "not valid JSON"}, TDamagedAnimation{"Empty", "", "not valid JSON"},
        TDamagedAnimation{"RootIsList", "[1,2]", "not a JSON object"},
        TDamagedAnimation{"FrameRateIsText", Animation("[]", "[]", R"("fr":"30","ip":0,"op":60,"w":100,"h":100)"),
                          "\"fr\" is not a number"},
        TDamagedAnimation{"ZeroFrameRate", Animation("[]", "[]", R"("fr":0,"ip":0,"op":60,"w":100,"h":100)"),
                          "frame rate"},
        TDamagedAnimation{"OutBeforeIn", Animation("[]", "[]", R"("fr":30,"ip":60,"op":0,"w":100,"h":100)"),
                          "out point"},
        TDamagedAnimation{"HugeFrameCount", Animation("[]", "[]", R"("fr":30,"ip":0,"op":5000000,"w":100,"h":100)"),
                          "too many frames"},
        TDamagedAnimation{"AstronomicalOutPoint", Animation("[]", "[]", R"("fr":30,"ip":0,"op":1e300,"w":100,"h":100)"),
                          "\"op\" is not a number"},
        TDamagedAnimation{"HugeSize", Animation("[]", "[]", R"("fr":30,"ip":0,"op":60,"w":100000,"h":100)"),
                          "\"w\" is out of range"},
        TDamagedAnimation{"NoLayers", R"({"fr":30,"ip":0,"op":60,"w":100,"h":100})", "no layer list"},
        TDamagedAnimation{"LayersAreObject", Animation("{}"), "no layer list"},
        TDamagedAnimation{"LayerIsNumber", Animation("[7]"), "a layer is not an object"},
        TDamagedAnimation{"ShapesAreNumber", Animation(R"([{"ty":4,"shapes":5}])"), "\"shapes\" is not a list"},
        TDamagedAnimation{"DeepNesting", Animation(R"([{"ty":4,"ks":{"o":{"a":0,"k":)" + Nested(100000) + "}}}]"),
                          "nested too deeply"},
        TDamagedAnimation{"DeepGroups",
                          Animation(R"([{"ty":4,"shapes":[)" +
                                    QByteArray(60, '{').replace("{", R"({"ty":"gr","it":[)") +
                                    QByteArray(60, ']').replace("]", "]}") + "]}]"),
                          "nested too deeply"},
        TDamagedAnimation{"LayerIsItsOwnParent", Animation(R"([{"ty":3,"ind":1,"parent":1}])"), "its own parent"},
        TDamagedAnimation{"ParentsInCircle", Animation(R"([{"ty":3,"ind":1,"parent":2},{"ty":3,"ind":2,"parent":1}])"),
                          "its own parent"},
        TDamagedAnimation{"MissingParent", Animation(R"([{"ty":3,"ind":1,"parent":9}])"), "parent does not exist"},
        TDamagedAnimation{"PrecompOfMissingAsset", Animation(R"([{"ty":0,"refId":"nowhere","w":100,"h":100}])"),
                          "missing asset \"nowhere\""},
        TDamagedAnimation{"ImageOfMissingAsset", Animation(R"([{"ty":2,"refId":"img"}])"), "missing asset \"img\""},
        TDamagedAnimation{
            "PrecompContainsItself",
            Animation(R"([{"ty":0,"refId":"comp"}])", R"([{"id":"comp","layers":[{"ty":0,"refId":"comp"}]}])"),
            "contains itself"},
        TDamagedAnimation{
            "PrecompsInCircle",
            Animation(R"([{"ty":0,"refId":"a"}])",
                      R"([{"id":"a","layers":[{"ty":0,"refId":"b"}]},{"id":"b","layers":[{"ty":0,"refId":"a"}]}])"),
            "contains itself"},
        TDamagedAnimation{"AssetIdIsNumber", Animation("[]", R"([{"id":3,"layers":[]}])"), "no text id"},
        TDamagedAnimation{"KeyframeWithoutTime", Animation(R"([{"ty":4,"ks":{"o":{"a":1,"k":[{"s":[0]}]}}}])"),
                          "keyframe has no time"},
        TDamagedAnimation{"AnimatedValueNotList", Animation(R"([{"ty":4,"ks":{"o":{"a":1,"k":5}}}])"),
                          "no keyframe list"},
        // Found by mutating the shared animations: rlottie did not come back within minutes.
        TDamagedAnimation{"HangingStrokeWidth",
                          Animation(R"([{"ty":4,"shapes":[{"ty":"st","w":{"a":0,"k":1000000}}]}])"),
                          "wider than the animation"},
        TDamagedAnimation{
            "HangingPathPoint",
            Animation(
                R"([{"ty":4,"shapes":[{"ty":"sh","ks":{"a":0,"k":{"i":[[1099511627776,0]],"o":[[0,0]],"v":[[0,0]],"c":true}}}]}])"),
            "not a list of points"},
        TDamagedAnimation{"HugeNumberAnywhere", Animation(R"([{"ty":4,"ks":{"o":{"a":0,"k":1e300}}}])"),
                          "number is out of range"},
        TDamagedAnimation{
            "PathTangentsShort",
            Animation(
                R"([{"ty":4,"shapes":[{"ty":"sh","ks":{"a":0,"k":{"i":[[0,0]],"o":[[0,0],[0,0]],"v":[[0,0],[1,1]],"c":true}}}]}])"),
            "differ in number"}),
    testdata::TCaseName());

TEST(Lottie, ValidAnimationLoadsFromData)
{
    TSkottieAnimation LAnimation;
    ASSERT_TRUE(LAnimation.LoadFromData(Animation("[" + Shape + "]"))) << LAnimation.Error().toStdString();
    EXPECT_EQ(LAnimation.Duration(), 2.0);
    EXPECT_EQ(LAnimation.Size(), QSize(100, 100));
    // The red square is drawn in the middle of the frame, scaled to the bitmap.
    EXPECT_EQ(LAnimation.Render(0, QSize(50, 50)).pixel(25, 25), 0xFFFF0000);
}

TEST(Lottie, MissingFileIsAnError)
{
    TSkottieAnimation LAnimation;
    EXPECT_FALSE(LAnimation.LoadFromFile(QStringLiteral("/nonexistent/anim.json")));
    EXPECT_TRUE(LAnimation.Error().startsWith(QStringLiteral("cannot read the file")))
        << LAnimation.Error().toStdString();
}

} // namespace

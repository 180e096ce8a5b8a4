#include "ORVO.Externals.Lottie.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <rlottie.h>
#include <set>
#include <stdexcept>
#include <vector>

namespace ext {

namespace {

using json = nlohmann::json;

class ELottieCheck : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& AWhat) { throw ELottieCheck(AWhat); }

// Positions and counts far beyond any animation only serve to overflow the player's arithmetic.
constexpr double MaxMagnitude = 1e7;

bool IsFiniteNumber(const json& AValue)
{
    return AValue.is_number() && std::isfinite(AValue.get<double>()) && std::fabs(AValue.get<double>()) <= MaxMagnitude;
}

// A member that, when present, must be of the given shape.
void Optional(const json& AObject, const char* AKey, bool (*AIsValid)(const json&), const char* AExpected,
              const std::string& AWhere)
{
    const auto LIt = AObject.find(AKey);
    if (LIt != AObject.end() && !AIsValid(*LIt))
        Fail(AWhere + " \"" + AKey + "\" is not " + AExpected);
}

bool IsObject(const json& AValue) { return AValue.is_object(); }
bool IsArray(const json& AValue) { return AValue.is_array(); }
bool IsString(const json& AValue) { return AValue.is_string(); }
bool IsPoint(const json& AValue)
{
    return AValue.is_array() && AValue.size() >= 2 && IsFiniteNumber(AValue[0]) && IsFiniteNumber(AValue[1]);
}
bool IsPointList(const json& AValue)
{
    if (!AValue.is_array())
        return false;
    for (const auto& LPoint : AValue)
        if (!IsPoint(LPoint))
            return false;
    return true;
}

double Number(const json& AObject, const char* AKey, const std::string& AWhere)
{
    const auto LIt = AObject.find(AKey);
    if (LIt == AObject.end())
        Fail(AWhere + " has no \"" + AKey + "\"");
    if (!IsFiniteNumber(*LIt))
        Fail(AWhere + " \"" + AKey + "\" is not a number");
    return LIt->get<double>();
}

// Bezier paths read their in tangents, out tangents and vertices side by side.
void CheckPath(const json& APath)
{
    for (const char* LKey : {"i", "o", "v"})
        if (!IsPointList(APath.value(LKey, json::array())))
            Fail(std::string("a path's \"") + LKey + "\" is not a list of points");
    const auto LSize = APath.value("v", json::array()).size();
    if (APath.value("i", json::array()).size() != LSize || APath.value("o", json::array()).size() != LSize)
        Fail("a path's tangents and vertices differ in number");
}

// Every object of the animation: animated properties and paths are checked wherever they are.
void CheckValues(const json& AValue)
{
    if (AValue.is_array()) {
        for (const auto& LItem : AValue)
            CheckValues(LItem);
        return;
    }
    if (AValue.is_number() && !IsFiniteNumber(AValue))
        Fail("a number is out of range");
    if (!AValue.is_object())
        return;
    if (AValue.contains("v") && (AValue.contains("i") || AValue.contains("o")))
        CheckPath(AValue);
    const auto LAnimated = AValue.find("a");
    const auto LKeys = AValue.find("k");
    if (LAnimated != AValue.end() && LKeys != AValue.end()) {
        if (!LAnimated->is_number())
            Fail("a property's \"a\" is not a number");
        if (LAnimated->get<double>() != 0) {
            if (!LKeys->is_array())
                Fail("an animated property has no keyframe list");
            for (const auto& LKey : *LKeys) {
                if (!LKey.is_object() || !IsFiniteNumber(LKey.value("t", json())))
                    Fail("a keyframe has no time");
                Optional(
                    LKey, "s", [](const json& A) { return A.is_array() || A.is_number(); }, "a value", "a keyframe");
                Optional(
                    LKey, "e", [](const json& A) { return A.is_array() || A.is_number(); }, "a value", "a keyframe");
            }
        } else if (!LKeys->is_number() && !LKeys->is_array() && !LKeys->is_object()) {
            Fail("a property's value is not a number, list or path");
        }
    }
    for (const auto& LItem : AValue)
        CheckValues(LItem);
}

class TChecker
{
public:
    explicit TChecker(const json& ARoot) : FRoot(ARoot) {}

    void Run()
    {
        if (!FRoot.is_object())
            Fail("the animation is not a JSON object");
        const double LRate = Number(FRoot, "fr", "the animation");
        if (LRate <= 0 || LRate > TSkottieAnimation::MaxFrameRate)
            Fail("the frame rate is out of range");
        const double LIn = Number(FRoot, "ip", "the animation");
        const double LOut = Number(FRoot, "op", "the animation");
        if (LOut <= LIn)
            Fail("the out point is not after the in point");
        if (LOut - LIn > TSkottieAnimation::MaxFrameCount)
            Fail("the animation has too many frames");
        for (const char* LKey : {"w", "h"}) {
            const double LSide = Number(FRoot, LKey, "the animation");
            if (LSide < 1 || LSide > TSkottieAnimation::MaxSide)
                Fail(std::string("the animation's \"") + LKey + "\" is out of range");
            FMaxStrokeWidth = std::max(FMaxStrokeWidth, 4 * LSide);
        }
        Optional(FRoot, "assets", IsArray, "a list", "the animation");
        static const json NoAssets = json::array();
        // The assets are referred to by address while the layers are checked.
        const json& LAssets = FRoot.contains("assets") ? FRoot["assets"] : NoAssets;
        for (const auto& LAsset : LAssets) {
            if (!LAsset.is_object() || !LAsset.value("id", json()).is_string())
                Fail("an asset has no text id");
            if (!FAssets.emplace(LAsset["id"].get<std::string>(), &LAsset).second)
                Fail("the asset \"" + LAsset["id"].get<std::string>() + "\" is defined twice");
            Optional(LAsset, "layers", IsArray, "a list", "an asset");
            for (const char* LKey : {"p", "u"})
                Optional(LAsset, LKey, IsString, "a text", "an asset");
            for (const char* LKey : {"w", "h", "e"})
                Optional(LAsset, LKey, IsFiniteNumber, "a number", "an asset");
        }
        const auto LLayers = FRoot.find("layers");
        if (LLayers == FRoot.end() || !LLayers->is_array())
            Fail("the animation has no layer list");
        CheckLayers(*LLayers);
        CheckValues(FRoot);
    }

private:
    void CheckLayers(const json& ALayers)
    {
        std::map<double, double> LParents; // index -> parent index
        std::set<double> LIndexes;
        for (const auto& LLayer : ALayers) {
            if (!LLayer.is_object())
                Fail("a layer is not an object");
            for (const char* LKey : {"ty", "ind", "parent", "ip", "op", "st", "sr", "w", "h", "tt"})
                Optional(LLayer, LKey, IsFiniteNumber, "a number", "a layer");
            for (const char* LKey : {"ks", "t"})
                Optional(LLayer, LKey, IsObject, "an object", "a layer");
            for (const char* LKey : {"shapes", "masksProperties", "ef"})
                Optional(LLayer, LKey, IsArray, "a list", "a layer");
            for (const char* LKey : {"refId", "nm", "sc"})
                Optional(LLayer, LKey, IsString, "a text", "a layer");
            for (const char* LKey : {"w", "h", "sw", "sh"})
                if (LLayer.contains(LKey) && LLayer[LKey].is_number() &&
                    std::fabs(LLayer[LKey].get<double>()) > TSkottieAnimation::MaxSide)
                    Fail(std::string("a layer's \"") + LKey + "\" is out of range");
            if (LLayer.contains("ind"))
                LIndexes.insert(LLayer["ind"].get<double>());
            if (LLayer.contains("ind") && LLayer.contains("parent"))
                LParents[LLayer["ind"].get<double>()] = LLayer["parent"].get<double>();
            CheckShapes(LLayer.value("shapes", json::array()));
            const int LType = LLayer.value("ty", json(-1)).is_number() ? LLayer.value("ty", -1) : -1;
            if (LType == 0 || LType == 2)
                CheckReference(LLayer, LType == 0);
        }
        for (const auto& LLayer : ALayers)
            if (LLayer.contains("parent") && !LIndexes.count(LLayer["parent"].get<double>()))
                Fail("a layer's parent does not exist");
        // A parent chain longer than the list of layers runs in a circle.
        for (const auto& [LIndex, LParent] : LParents) {
            double LCurrent = LIndex;
            for (size_t LStep = 0; LParents.count(LCurrent); ++LStep) {
                if (LStep > LParents.size())
                    Fail("a layer is its own parent");
                LCurrent = LParents[LCurrent];
            }
        }
    }

    void CheckShapes(const json& AShapes)
    {
        for (const auto& LShape : AShapes) {
            if (!LShape.is_object())
                Fail("a shape is not an object");
            Optional(LShape, "ty", IsString, "a text", "a shape");
            Optional(LShape, "it", IsArray, "a list", "a shape");
            const std::string LType = LShape.value("ty", json("")).get<std::string>();
            if ((LType == "st" || LType == "gs") && LShape.contains("w"))
                CheckStrokeWidth(LShape["w"]);
            CheckShapes(LShape.value("it", json::array()));
        }
    }

    // rlottie's stroker runs for minutes on strokes far wider than the animation.
    void CheckStrokeWidth(const json& AWidth)
    {
        const auto LCheck = [this](const json& AValue) {
            if (AValue.is_number() && std::fabs(AValue.get<double>()) > FMaxStrokeWidth)
                Fail("a stroke is wider than the animation");
            if (AValue.is_array())
                for (const auto& LItem : AValue)
                    if (LItem.is_number() && std::fabs(LItem.get<double>()) > FMaxStrokeWidth)
                        Fail("a stroke is wider than the animation");
        };
        if (!AWidth.is_object() || !AWidth.contains("k"))
            return;
        const json& LValue = AWidth["k"];
        LCheck(LValue);
        if (LValue.is_array())
            for (const auto& LKey : LValue)
                if (LKey.is_object())
                    for (const char* LPart : {"s", "e"})
                        if (LKey.contains(LPart))
                            LCheck(LKey[LPart]);
    }

    // Precompositions name a layer list among the assets, images an image; a precomposition that
    // reaches itself again would be expanded for ever.
    void CheckReference(const json& ALayer, bool APrecomposition)
    {
        const std::string LId = ALayer.value("refId", json("")).get<std::string>();
        const auto LAsset = FAssets.find(LId);
        if (LAsset == FAssets.end())
            Fail("a layer refers to the missing asset \"" + LId + "\"");
        if (!APrecomposition)
            return;
        if (!LAsset->second->contains("layers"))
            Fail("the asset \"" + LId + "\" has no layers");
        if (FExpanding.count(LId))
            Fail("the asset \"" + LId + "\" contains itself");
        if (FChecked.count(LId))
            return;
        FExpanding.insert(LId);
        CheckLayers((*LAsset->second)["layers"]);
        FExpanding.erase(LId);
        FChecked.insert(LId);
    }

    const json& FRoot;
    double FMaxStrokeWidth = 0;
    std::map<std::string, const json*> FAssets;
    std::set<std::string> FExpanding;
    std::set<std::string> FChecked;
};

} // namespace

TSkottieAnimation::TSkottieAnimation() = default;
TSkottieAnimation::~TSkottieAnimation() = default;

QString TSkottieAnimation::Check(const QByteArray& AData)
{
    if (AData.size() > MaxDataSize)
        return QStringLiteral("the file is too large");
    try {
        // The parser's own stack is its heap, but the checks below and the player recurse.
        const auto LDepth = [](int ADepth, json::parse_event_t, json&) {
            if (ADepth > MaxNestingDepth)
                Fail("the animation is nested too deeply");
            return true;
        };
        const json LRoot = json::parse(AData.constBegin(), AData.constEnd(), LDepth);
        TChecker(LRoot).Run();
        return {};
    } catch (const ELottieCheck& E) {
        return QString::fromStdString(E.what());
    } catch (const json::exception&) {
        return QStringLiteral("the file is not valid JSON");
    }
}

bool TSkottieAnimation::LoadFromFile(const QString& AFileName)
{
    Clear();
    QFile LFile(AFileName);
    if (!LFile.open(QIODevice::ReadOnly)) {
        FError = QStringLiteral("cannot read the file: %1").arg(LFile.errorString());
        return false;
    }
    if (LFile.size() > MaxDataSize) {
        FError = QStringLiteral("the file is too large");
        return false;
    }
    return LoadFromData(LFile.readAll());
}

bool TSkottieAnimation::LoadFromData(const QByteArray& AData)
{
    Clear();
    FError = Check(AData);
    if (!FError.isEmpty())
        return false;
    // Not cached: an edited file under the same name must be read again.
    FAnimation = rlottie::Animation::loadFromData(AData.toStdString(), std::string(), std::string(), false);
    if (!FAnimation) {
        FError = QStringLiteral("the player cannot read the animation");
        return false;
    }
    const json LRoot = json::parse(AData.constBegin(), AData.constEnd());
    FInPoint = LRoot["ip"].get<double>();
    FOutPoint = LRoot["op"].get<double>();
    FFrameRate = LRoot["fr"].get<double>();
    FSize = QSize(qRound(LRoot["w"].get<double>()), qRound(LRoot["h"].get<double>()));
    return true;
}

void TSkottieAnimation::Clear()
{
    FAnimation.reset();
    FError.clear();
    FInPoint = FOutPoint = FFrameRate = 0;
    FSize = QSize();
}

double TSkottieAnimation::Duration() const { return FFrameRate > 0 ? (FOutPoint - FInPoint) / FFrameRate : 0; }

QImage TSkottieAnimation::Render(int AFrame, const QSize& ASize) const
{
    if (!FAnimation || ASize.isEmpty() || ASize.width() > MaxSide || ASize.height() > MaxSide)
        return {};
    QImage LImage(ASize, QImage::Format_ARGB32_Premultiplied);
    LImage.fill(Qt::transparent);
    const size_t LLast = FAnimation->totalFrame() > 0 ? FAnimation->totalFrame() - 1 : 0;
    const size_t LFrame = std::min(static_cast<size_t>(std::max(AFrame, 0)), LLast);
    rlottie::Surface LSurface(reinterpret_cast<uint32_t*>(LImage.bits()), LImage.width(), LImage.height(),
                              LImage.bytesPerLine());
    FAnimation->renderSync(LFrame, LSurface);
    return LImage;
}

} // namespace ext

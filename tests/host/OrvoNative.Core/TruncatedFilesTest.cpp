#include "ORVO.Assets.Factory.h"
#include "ORVO.VectorImage.Document.h"

#include <gtest/gtest.h>

using namespace core;

// Every prefix of a valid file, and every single-byte corruption of it, must either load or
// raise EqoFileError: never crash, never raise anything else.

namespace {

QByteArray SampleConfig()
{
    TqoAssetsManager manager;
    manager.Add(std::make_shared<TqoAssetColor>("Colors\\Primary", 0xFF2196F3, TqoPlatform::Android));
    auto set = std::make_shared<TqoAssetBitmapSet>("Icons\\Back", TqoPlatform::All, TqoDeviceClass::Tablet);
    set->Add(std::make_unique<TqoBitmapInfo>("Icons\\Back\\tablet@15x.png", 1.5f))->SetCapInsets(QMargins(1, 2, 3, 4));
    set->Add(0.75f)->SetTint(0x80FF0000);
    manager.Add(set);
    auto file = std::make_shared<TqoAssetFile>("Data\\Db");
    file->SetUri("Data\\Db\\default.db");
    manager.Add(file);
    auto svg = std::make_shared<TqoAssetSVG>("Logo");
    svg->SetSize(24, 24);
    manager.Add(svg);
    return TqoAssetsFactory::SaveConfigToBytes(manager, TqoPlatforms::AllPlatforms(), TqoWritingOptions::Default);
}

QByteArray SampleVector()
{
    TqoVectorDocument d;
    d.SetSize(QSizeF(24, 24));
    d.BeginGroup();
    TqoVectorRadialGradient g;
    g.Stops = {{0, 0xFF000000}, {1, 0xFFFFFFFF}};
    d.SetGradient(g, true);
    TqoVectorBrush b;
    b.StrokeDashArray = std::vector<float>{1, 2};
    b.StrokeLineJoin = TqoStrokeLineJoin::Round;
    d.SetBrush(b);
    d.SetTransform(TqoVectorTransform());
    d.DrawPath("M0 0H24");
    d.EndGroup();
    return d.SaveToBytes();
}

template <typename TLoad> void ExpectOnlyFileErrors(const QByteArray& AValid, TLoad ALoad)
{
    int failures = 0;
    for (qsizetype length = 0; length < AValid.size(); ++length) {
        try {
            ALoad(AValid.left(length));
        } catch (const EqoFileError&) {
            ++failures;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "prefix of " << length << " bytes: " << e.what();
        }
    }
    // Only the prefix that drops just the final newline is still a complete document.
    EXPECT_EQ(failures, AValid.size() - 1);

    const char replacements[] = {'"', '{', ']', '0', '-', 'x', '\\', ','};
    for (qsizetype i = 0; i < AValid.size(); ++i)
        for (char c : replacements) {
            QByteArray corrupt = AValid;
            corrupt[i] = c;
            try {
                ALoad(corrupt);
            } catch (const EqoFileError&) {
            } catch (const std::exception& e) {
                ADD_FAILURE() << "byte " << i << " set to " << c << ": " << e.what();
            }
        }
}

} // namespace

TEST(TruncatedFilesTest, ConfigurationReaderOnlyRaisesFileErrors)
{
    ExpectOnlyFileErrors(SampleConfig(), [](const QByteArray& AData) {
        TqoAssetsManager manager;
        TqoAssetsFactory::LoadFromBytes(manager, AData, "config.json", "/tmp");
    });
}

TEST(TruncatedFilesTest, VectorReaderOnlyRaisesFileErrors)
{
    ExpectOnlyFileErrors(SampleVector(), [](const QByteArray& AData) {
        TqoVectorDocument document;
        document.LoadFromBytes(AData, "x.vector");
    });
}

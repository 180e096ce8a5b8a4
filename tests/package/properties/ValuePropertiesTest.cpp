// The geometry, unit-value, optional-offset and fixed-list editors as the object inspector
// gets them for a component's properties, and the selection editors that filter them.

#include "DesignIntf.h"
#include "IdeSession.h"
#include "ORVO.Components.h"
#include "ORVO.Exceptions.h"
#include "TestData.h"
#include "properties/ORVO.Properties.Values.h"
#include "registration/ORVO.Registration.h"
#include "registration/ORVO.SelectionEditors.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using core::TqoSingleValue;

// A control publishing the value objects and coded strings no runtime control has yet, and
// the properties the selection editors hide, in odd cases.
class TValuesHolder : public core::TqoCustomButton
{
    Q_OBJECT
    Q_CLASSINFO("PropertyType.Country", "TqoCountryAlpha2Code")
    Q_CLASSINFO("PropertyType.Currency", "TqoCurrencyCode")
    Q_CLASSINFO("PropertyType.ApiKey", "TqoYandexAPIKey")
    Q_PROPERTY(QString ApiKey MEMBER FApiKey)
    Q_PROPERTY(QString Country MEMBER FCountry)
    Q_PROPERTY(QString Currency MEMBER FCurrency)
    Q_PROPERTY(core::TqoSingleValue* Indent READ GetIndent)
    Q_PROPERTY(core::TqoScrollBoxContentSize* ContentSize READ GetContentSize)
    Q_PROPERTY(int kind MEMBER FKind)
    Q_PROPERTY(QString TEXTSETTINGS MEMBER FCountry)
    Q_PROPERTY(QString TextShadow MEMBER FCountry)
    Q_PROPERTY(int definedValues MEMBER FKind)
public:
    TqoSingleValue* GetIndent() const { return FIndent; }
    core::TqoScrollBoxContentSize* GetContentSize() const { return FContentSize; }

    QString FCountry;
    QString FCurrency;
    QString FApiKey;
    int FKind = 0;
    TqoSingleValue* FIndent = new TqoSingleValue(this);
    core::TqoScrollBoxContentSize* FContentSize = new core::TqoScrollBoxContentSize(this);
};

QStringList Names(const ide::TPropertyEditorList& AEditors)
{
    QStringList LNames;
    for (const auto& E : AEditors)
        LNames.append(E->GetName());
    return LNames;
}

class ValueProperties : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        auto& R = ide::TDesignRegistry::Instance();
        R.BeginModule(QStringLiteral("values"));
        orvo::registration::RegisterPropertyEditors();
        orvo::registration::RegisterSelectionEditors();
        R.EndModule();
    }
    static void TearDownTestSuite() { ide::TDesignRegistry::Instance().UnregisterModule(QStringLiteral("values")); }

    // The editor of the holder's property at APath ("Size", "RelativePosition.Left").
    std::unique_ptr<ide::TPropertyEditor> Editor(const QString& APath)
    {
        auto LEditors = ide::GetComponentProperties({&FHolder}, &FDesigner);
        const QStringList LPath = APath.split(QLatin1Char('.'));
        std::unique_ptr<ide::TPropertyEditor> LFound;
        for (auto& E : LEditors)
            if (E->GetName() == LPath.front())
                LFound = std::move(E);
        if (LFound && LPath.size() == 2) {
            std::unique_ptr<ide::TPropertyEditor> LSub;
            LFound->GetProperties([&](std::unique_ptr<ide::TPropertyEditor> E) {
                if (E->GetName() == LPath.back())
                    LSub = std::move(E);
            });
            return LSub;
        }
        return LFound;
    }

    TValuesHolder FHolder;
    ide::TFormDesigner FDesigner{&FHolder};
};

struct TPairCase
{
    std::string Name;
    const char* Property;
    float First;
    float Second;
    const char* Shown;
};

class PairValues : public ValueProperties, public testing::WithParamInterface<TPairCase>
{
};

TEST_P(PairValues, ShowsBothNumbersInOneFormat)
{
    const TPairCase& C = GetParam();
    FHolder.GetSize()->SetSizeF(C.First, C.Second);
    FHolder.GetPosition()->SetX(C.First);
    FHolder.GetPosition()->SetY(C.Second);
    FHolder.GetContentSize()->SetWidth(C.First);
    FHolder.GetContentSize()->SetHeight(C.Second);
    auto LEditor = Editor(C.Property);
    ASSERT_TRUE(LEditor);
    EXPECT_EQ(LEditor->GetValue().toStdString(), C.Shown);
}

INSTANTIATE_TEST_SUITE_P(, PairValues,
                         testing::Values(TPairCase{"WholeSize", "Size", 100, 50, "(100, 50)"},
                                         TPairCase{"OneFractionFormatsBoth", "Size", 100, 50.5f, "(100.0, 50.5)"},
                                         TPairCase{"NegativePosition", "Position", -3, 7.5f, "(-3.0, 7.5)"},
                                         TPairCase{"WholeContentSize", "ContentSize", 320, 0, "(320, 0)"},
                                         TPairCase{"FractionalContentSize", "ContentSize", 0.5f, 2, "(0.5, 2.0)"}),
                         testdata::TCaseName());

struct TTypedCase
{
    std::string Name;
    const char* Typed;
    const char* Shown;
};

class SingleValueTyped : public ValueProperties, public testing::WithParamInterface<TTypedCase>
{
};

TEST_P(SingleValueTyped, ParsesNumberAndUnit)
{
    FHolder.GetIndent()->SetValue(16);
    FHolder.GetIndent()->SetUnit(TqoSingleValue::TqoUnit::Dp);
    auto LEditor = Editor("Indent");
    ASSERT_TRUE(LEditor);
    LEditor->SetValue(GetParam().Typed);
    EXPECT_EQ(LEditor->GetValue().toStdString(), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(, SingleValueTyped,
                         testing::Values(TTypedCase{"UpperCaseUnitWithBlank", "12 DP", "12 dp"},
                                         TTypedCase{"FractionInPixels", "12.5px", "12.5 px"},
                                         TTypedCase{"Percent", "50%", "50 %"},
                                         TTypedCase{"NumberKeepsUnit", "7", "7 dp"},
                                         TTypedCase{"EmptySetsZeroKeepsUnit", "", "0 dp"},
                                         TTypedCase{"LettersOnlyIgnored", "abc", "16 dp"},
                                         TTypedCase{"UnitWithoutNumberIgnored", "px", "16 dp"},
                                         TTypedCase{"UnknownUnitIgnored", "12 pt", "16 dp"}),
                         testdata::TCaseName());

TEST_F(ValueProperties, SingleValueOffersItsNumberInEachUnitInOrder)
{
    FHolder.GetIndent()->SetValue(16);
    FHolder.GetIndent()->SetUnit(TqoSingleValue::TqoUnit::Dp);
    auto LEditor = Editor("Indent");
    ASSERT_TRUE(LEditor);
    EXPECT_EQ(LEditor->ValueList(), QStringList({"16 px", "16 dp", "16 %"}));
    FHolder.GetIndent()->SetValue(2.5f);
    EXPECT_EQ(LEditor->ValueList(), QStringList({"2.5 px", "2.5 dp", "2.5 %"}));
}

TEST_F(ValueProperties, UnitOutsideItsTypeRaisesAssertion)
{
    FHolder.GetIndent()->SetUnit(TqoSingleValue::TqoUnit(7));
    auto LEditor = Editor("Indent");
    ASSERT_TRUE(LEditor);
    EXPECT_THROW(LEditor->GetValue(), core::EqoAssertionFailed);
}

TEST_F(ValueProperties, CountryEntryStoresTwoLettersAndCurrencyThree)
{
    auto LCountry = Editor("Country");
    ASSERT_TRUE(LCountry);
    const QStringList LCountries = LCountry->ValueList();
    EXPECT_GT(LCountries.size(), 240);
    ASSERT_TRUE(LCountries.contains("DE (Germany)"));
    LCountry->SetValue("DE (Germany)");
    EXPECT_EQ(FHolder.FCountry, "DE");

    auto LCurrency = Editor("Currency");
    ASSERT_TRUE(LCurrency);
    EXPECT_TRUE(LCurrency->ValueList().contains("EUR"));
    LCurrency->SetValue("EURO");
    EXPECT_EQ(FHolder.FCurrency, "EUR");
    EXPECT_TRUE(LCurrency->GetAttributes().testFlags(ide::paValueList | ide::paSortList | ide::paValueEditable));
}

// --- Optional offsets --------------------------------------------------------------------

TEST_F(ValueProperties, ClearingLeftUnticksAndStoresZeroTypingTicks)
{
    auto LEditor = Editor("RelativePosition.Left");
    auto LLeft = dynamic_cast<orvo::TOptionalFloatForNullableRectFProperty*>(LEditor.get());
    ASSERT_TRUE(LLeft);
    auto LRect = FHolder.GetRelativePosition();

    LLeft->SetValue("8");
    EXPECT_TRUE(LRect->IsDefined(0));
    EXPECT_EQ(LRect->GetLeft(), 8);

    LLeft->SetValue("");
    EXPECT_FALSE(LRect->IsDefined(0));
    EXPECT_EQ(LRect->GetLeft(), 0);
    EXPECT_EQ(LRect->GetDefinedValues(), core::TqoNullableRectF::TqoSides());
}

TEST_F(ValueProperties, RefusedNumberLeavesTheSideUndefined)
{
    auto LEditor = Editor("RelativePosition.End");
    ASSERT_TRUE(LEditor);
    EXPECT_THROW(LEditor->SetValue("wide"), ide::EPropertyError);
    EXPECT_FALSE(FHolder.GetRelativePosition()->IsDefined(5));
}

TEST_F(ValueProperties, OffsetEditorOnlyForNullableRect)
{
    auto LMargin = Editor("Margins.Left");
    ASSERT_TRUE(LMargin);
    EXPECT_FALSE(dynamic_cast<orvo::TOptionalFloatForNullableRectFProperty*>(LMargin.get()));

    orvo::TOptionalFloatForNullableRectFProperty LEditor;
    auto LRect = FHolder.GetRelativePosition();
    const auto LMeta = LRect->metaObject();
    EXPECT_THROW(LEditor.SetPropEntry(0, LRect, LMeta->property(LMeta->indexOfProperty("DefinedValues"))),
                 core::EqoAssertionFailed);
    EXPECT_THROW(LEditor.SetPropEntry(0, FHolder.GetMargins(), LMeta->property(LMeta->indexOfProperty("Left"))),
                 core::EqoAssertionFailed);
}

TEST_F(ValueProperties, LeftReleaseInCheckBoxTogglesTheSide)
{
    auto LEditor = Editor("RelativePosition.Top");
    auto LTop = dynamic_cast<orvo::TOptionalFloatForNullableRectFProperty*>(LEditor.get());
    ASSERT_TRUE(LTop);
    const QRect LRect(0, 0, 100, 20); // the check box spans x 104..119
    bool LHandled = false;

    LTop->MouseUp(ide::TMouseButton::Right, 110, 10, LRect, LHandled);
    LTop->MouseUp(ide::TMouseButton::Left, 102, 10, LRect, LHandled);
    LTop->MouseUp(ide::TMouseButton::Left, 121, 10, LRect, LHandled);
    EXPECT_FALSE(LHandled);
    EXPECT_FALSE(LTop->IsDefined());

    LTop->MouseUp(ide::TMouseButton::Left, 104, 10, LRect, LHandled);
    EXPECT_TRUE(LHandled);
    EXPECT_TRUE(FHolder.GetRelativePosition()->IsDefined(1));
    EXPECT_EQ(FDesigner.ModifiedCount(), 1);
    LTop->MouseUp(ide::TMouseButton::Left, 119, 19, LRect, LHandled);
    EXPECT_FALSE(FHolder.GetRelativePosition()->IsDefined(1));
}

// Whether drawing the value cell left any mark on a white row.
bool DrawsSomething(ide::ICustomPropertyDrawing& AEditor)
{
    QImage LImage(120, 20, QImage::Format_RGB32);
    LImage.fill(Qt::white);
    {
        QPainter LPainter(&LImage);
        AEditor.PropDrawValue(LPainter, LImage.rect(), false);
    }
    for (int Y = 0; Y < LImage.height(); ++Y)
        for (int X = 0; X < LImage.width(); ++X)
            if (LImage.pixel(X, Y) != qRgb(255, 255, 255))
                return true;
    return false;
}

TEST_F(ValueProperties, EmptyApiKeyShowsTheProjectKeyWhileAProjectIsOpen)
{
    auto LEditor = Editor("ApiKey");
    auto LKey = dynamic_cast<orvo::TqoYandexMapsTileProviderAPIKey*>(LEditor.get());
    ASSERT_TRUE(LKey);
    EXPECT_EQ(LKey->ProjectKey(), "");
    EXPECT_FALSE(DrawsSomething(*LKey));

    QTemporaryDir LDir;
    ASSERT_TRUE(testdata::CopyTree(ORVO_SOURCE_DIR "/examples/DemoApp", LDir.path()));
    testdata::TIdeSession LSession;
    auto LProject = LSession.Open(LDir.filePath("DemoApp.dproj"));
    LProject->ProjectOptionsConfigurations()->BaseConfiguration()->SetValue("ORVO_YandexMapsTileProvider_APIKey",
                                                                            "base-key");
    EXPECT_EQ(LKey->ProjectKey(), "base-key");
    EXPECT_TRUE(DrawsSomething(*LKey));
    LSession.Close(LProject);
    EXPECT_EQ(LKey->ProjectKey(), "");
}

// --- Selection editors -------------------------------------------------------------------

TEST_F(ValueProperties, ButtonHidesKindAndTextStylesInAnyCase)
{
    const QStringList LNames = Names(ide::GetComponentProperties({&FHolder}, &FDesigner));
    for (const char* LHidden : {"kind", "TEXTSETTINGS", "TextShadow", "definedValues"})
        EXPECT_FALSE(LNames.contains(LHidden)) << LHidden;
    for (const char* LKept : {"Text", "Country", "Size", "Name"})
        EXPECT_TRUE(LNames.contains(LKept)) << LKept;
}

TEST_F(ValueProperties, DefinedValuesHiddenForEveryControl)
{
    core::TqoNullableRectF LRect;
    core::TqoLabel LLabel;
    core::TqoMap LMap;
    core::TqoForm LForm;
    core::TqoNavigationBarButton LNavButton;
    for (QObject* LControl : QList<QObject*>{&LLabel, &LMap, &LForm, &LNavButton}) {
        auto LProperties = ide::GetComponentProperties({&LRect}, &FDesigner);
        ASSERT_TRUE(Names(LProperties).contains("DefinedValues"));
        for (const auto& LEditor : ide::GetSelectionEditors({LControl}))
            LEditor->FilterProperties({LControl}, LProperties);
        EXPECT_EQ(Names(LProperties), QStringList({"Left", "Top", "Right", "Bottom", "Start", "End"}))
            << LControl->metaObject()->className();
    }
}

TEST_F(ValueProperties, UnitsOfEachComponentOnceInOrder)
{
    core::TqoMap LMap;
    core::TqoPaintBox LPaintBox;
    core::TqoSearchEdit LSearch;
    core::TqoAutoCompleteEdit LAutoComplete;
    core::TqoLabel LLabel;
    EXPECT_EQ(ide::SelectionRequiredUnits({&LLabel, &LMap, &LPaintBox, &LSearch, &LAutoComplete}),
              QStringList({"ORVO.Map.Types", "ORVO.Map.TileProvider", "ORVO.Canvas", "ORVO.Canvas.Types",
                           "ORVO.AutocompleteEdit.Types"}));
}

TEST_F(ValueProperties, NavigationBarButtonHidesActionKindOrLayoutOfOthers)
{
    core::TqoNavigationBarButton LButton;
    EXPECT_EQ(Names(ide::GetComponentProperties({&LButton}, &FDesigner)),
              QStringList({"Name", "Alignment", "Position", "Size", "Width", "Height", "Margins", "RelativePosition",
                           "Visible", "PositionMode", "FlexItem", "ElementName", "OnTap", "OnTouch", "ActionControl"}));

    core::TqoLabel LLabel;
    auto LProperties = ide::GetComponentProperties({&LLabel}, &FDesigner);
    orvo::registration::TqoNavigationBarButtonSelectionEditor().FilterProperties({&LLabel, &LButton}, LProperties);
    EXPECT_EQ(Names(LProperties),
              QStringList({"Width", "Height", "Visible", "FlexItem", "ElementName", "OnTap", "OnTouch", "Text", "Color",
                           "TextColorName", "TextColorLink", "Font", "LinesCount", "VertAlign", "HorzAlign", "CharCase",
                           "LineBreak", "Padding"}));
}

} // namespace

#include "ValuePropertiesTest.moc"

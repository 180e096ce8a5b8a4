// The collection view's style templates, applied through the registry and the collection
// view's editor to the demo form opened as the IDE opens it, then saved and read back.

#include "DesignFormDocument.h"
#include "ORVO.Assert.h"
#include "ORVO.Components.h"
#include "TestData.h"
#include "components/ORVO.CollectionView.Editor.h"
#include "components/ORVO.CollectionView.Styles.h"

#include <QMetaProperty>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace orvo::components;

// Enumerations as ordinals, colors as #AARRGGBB, numbers as Qt writes them.
QString Text(const QVariant& AValue, const QMetaProperty& AProperty)
{
    if (AProperty.isEnumType())
        return QString::number(AValue.toInt());
    if (AProperty.metaType().id() == QMetaType::UInt)
        return QStringLiteral("#%1").arg(AValue.toUInt(), 8, 16, QLatin1Char('0')).toUpper();
    return AValue.toString();
}

QString Read(QObject* AObject, const QString& APath)
{
    QObject* LTarget = AObject;
    const QStringList LPath = APath.split(QLatin1Char('.'));
    for (int I = 0; I + 1 < LPath.size() && LTarget; ++I)
        LTarget = LTarget->property(LPath[I].toLatin1().constData()).value<QObject*>();
    if (!LTarget)
        return QStringLiteral("<no %1>").arg(APath);
    const QMetaObject* LMeta = LTarget->metaObject();
    const int LIndex = LMeta->indexOfProperty(LPath.back().toLatin1().constData());
    if (LIndex < 0)
        return QStringLiteral("<no %1>").arg(APath);
    return Text(LMeta->property(LIndex).read(LTarget), LMeta->property(LIndex));
}

QList<core::TqoControl*> Controls(QObject* AParent)
{
    return AParent->findChildren<core::TqoControl*>(Qt::FindDirectChildrenOnly);
}

QString ShortClass(QObject* AObject) { return ide::ClassName(AObject->metaObject()).mid(3); }

// "Layout(Label[primary] Label[meta])": class, element name, * when placed by its relative
// position, children in brackets.
QString Structure(QObject* AParent)
{
    QStringList LParts;
    for (auto* C : Controls(AParent)) {
        QString LPart = ShortClass(C);
        if (!C->GetElementName().isEmpty())
            LPart += QStringLiteral("[%1]").arg(C->GetElementName());
        if (C->GetPositionMode() != core::TqoControl::TqoPositionMode::Relative)
            LPart += QLatin1Char('*');
        if (!Controls(C).isEmpty())
            LPart += QStringLiteral("(%1)").arg(Structure(C));
        LParts.append(LPart);
    }
    return LParts.join(QLatin1Char(' '));
}

// Every stored value of the component and its descendants, value objects included.
void Dump(QObject* AObject, const QString& APrefix, QStringList& ALines)
{
    const QMetaObject* LMeta = AObject->metaObject();
    for (int I = 0; I < LMeta->propertyCount(); ++I) {
        const QMetaProperty P = LMeta->property(I);
        if (!P.isStored() || !P.isDesignable() || qstrcmp(P.name(), "objectName") == 0)
            continue;
        const QVariant LValue = P.read(AObject);
        if (P.metaType().flags().testFlag(QMetaType::PointerToQObject)) {
            if (auto* LObject = LValue.value<QObject*>(); LObject && LObject->parent() == AObject)
                Dump(LObject, APrefix + QString::fromLatin1(P.name()) + QLatin1Char('.'), ALines);
            continue;
        }
        ALines.append(APrefix + QString::fromLatin1(P.name()) + QLatin1Char('=') + Text(LValue, P));
    }
    if (APrefix.isEmpty())
        for (auto* C : Controls(AObject)) {
            ALines.append(QStringLiteral("object %1: %2").arg(C->objectName(), ShortClass(C)));
            Dump(C, QString(), ALines);
            ALines.append(QStringLiteral("end"));
        }
}

// The first control below AParent with that element name or, failing that, of that class
// ("Line"); "Layout@1" is the second match.
QObject* Find(QObject* AParent, const QString& ASelector)
{
    const QStringList LParts = ASelector.split(QLatin1Char('@'));
    int LSkip = LParts.size() > 1 ? LParts[1].toInt() : 0;
    const auto LAll = AParent->findChildren<core::TqoControl*>();
    for (const bool LByClass : {false, true})
        for (auto* C : LAll)
            if ((LByClass ? ShortClass(C) : C->GetElementName()) == LParts[0] && LSkip-- == 0)
                return C;
    return nullptr;
}

class CollectionViewStyles : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        auto& R = ide::TDesignRegistry::Instance();
        R.BeginModule(QStringLiteral("styles-test"));
        // What the demo form and the templates are made of.
        for (const QMetaObject* LClass :
             {&core::TqoForm::staticMetaObject, &core::TqoLayout::staticMetaObject,
              &core::TqoRectangle::staticMetaObject, &core::TqoImage::staticMetaObject,
              &core::TqoLabel::staticMetaObject, &core::TqoButton::staticMetaObject,
              &core::TqoCollectionView::staticMetaObject, &core::TqoCollectionViewStyle::staticMetaObject,
              &core::TqoLine::staticMetaObject, &core::TqoSwitch::staticMetaObject})
            ide::RegisterClass(LClass);
        R.EndModule();
    }
    static void TearDownTestSuite()
    {
        ide::TDesignRegistry::Instance().UnregisterModule(QStringLiteral("styles-test"));
    }

    void SetUp() override
    {
        for (const char* LFile : {"Main.xfm", "Main.pas"})
            ASSERT_TRUE(testdata::WriteAll(Dir.filePath(LFile),
                                           testdata::ReadAll(testdata::SourceDir() + "/examples/DemoApp/" + LFile)));
        Document = ide::TFormDocument::Open(Dir.filePath("Main.xfm"));
        View = qobject_cast<core::TqoCustomCollectionView*>(Document->FindComponent("CollectionViewItems"));
        ASSERT_NE(View, nullptr);
    }

    core::TqoCollectionViewStyle* Apply(int AId)
    {
        return TqoCollectionViewStylesRegistry::GetDefault().CreateStyle(AId, View, &Document->Designer());
    }

    static QString Message(const std::function<void()>& AAction)
    {
        try {
            AAction();
        } catch (const EqoCollectionViewStylesRegistry& E) {
            return E.Message();
        }
        return QStringLiteral("<nothing raised>");
    }

    QTemporaryDir Dir;
    std::unique_ptr<ide::TFormDocument> Document;
    core::TqoCustomCollectionView* View = nullptr;
};

// The sub-menu of "Add Style" as "Group: title=tag, ...", one line per group.
QStringList MenuText(ide::TVerbMenuItem& AMenu)
{
    QStringList LLines;
    for (int G = 0; G < AMenu.Count(); ++G) {
        QStringList LItems;
        for (int I = 0; I < AMenu.Item(G).Count(); ++I)
            LItems.append(
                QStringLiteral("%1=%2").arg(AMenu.Item(G).Item(I).GetCaption()).arg(AMenu.Item(G).Item(I).GetTag()));
        LLines.append(AMenu.Item(G).GetCaption() + QStringLiteral(": ") + LItems.join(QStringLiteral(", ")));
    }
    return LLines;
}

TEST_F(CollectionViewStyles, EditorOffersBlankStyleAndTheTemplatesInFourGroupsOfSix)
{
    TqoCollectionViewEditor LEditor(View, &Document->Designer());
    ASSERT_EQ(LEditor.GetVerbCount(), 2);
    EXPECT_EQ(LEditor.GetVerb(0), "Add blank style");
    EXPECT_EQ(LEditor.GetVerb(1), "Add Style");

    ide::TVerbMenuItem LMenu(LEditor.GetVerb(1));
    LEditor.PrepareItem(1, LMenu);
    const QStringList LExpected = {
        "One line item: Text only=0, Text and Icon=1, Icon and Text=2, Round image, Text and Icon=3, "
        "Square image, Text and Icon=4, Panoram image, Text and Icon=5",
        "Two line item: Primary, Secondary and Meta text=6, Secondary overline and Primary text=7, "
        "Icon, Primary and Secondary text=8, Round image, Primary, Secondary text and Icon=9, "
        "Square image, Primary, Secondary text and Icon=10, Panoram image, Primary, Secondary text and Icon=11",
        "Three line item: Primary, Secondary and Meta text=12, Secondary overline and Primary text=13, "
        "Icon, Primary and Secondary text=14, Round image, Primary, Secondary text and Icon=15, "
        "Square image, Primary, Secondary text and Icon=16, Panoram image, Primary, Secondary text and Icon=17",
        "Menu: Primary Item=18, Primary Item with Switch=19, Secondary Item=20, Secondary Item with Switch=21, "
        "Divider=22, Item section=23"};
    EXPECT_EQ(MenuText(LMenu), LExpected);
    EXPECT_TRUE(LMenu.Item(3).Item(4).GetEnabled());

    // Clicking "Menu" > "Divider" makes that style; the blank verb makes an empty one after it.
    LMenu.Item(3).Item(4).Click();
    LEditor.ExecuteVerb(0);
    LEditor.ExecuteVerb(1); // opens the sub-menu only
    ASSERT_EQ(View->GetStyles()->Count(), 2);
    EXPECT_EQ(Structure(View->GetStyles()->Item(0)), "Line");
    EXPECT_EQ(Structure(View->GetStyles()->Item(1)), "");
}

TEST_F(CollectionViewStyles, TextOnlyAddsOneStyleWithOneLabelAndMarksTheFormModified)
{
    EXPECT_FALSE(Document->IsModified());
    auto* LStyle = Apply(0);
    ASSERT_EQ(View->GetStyles()->Count(), 1);
    EXPECT_EQ(View->GetStyles()->Item(0), LStyle);
    EXPECT_EQ(Structure(LStyle), "Label[primary]");
    EXPECT_EQ(LStyle->GetHeight(), 48);
    EXPECT_TRUE(Document->IsModified());
}

TEST_F(CollectionViewStyles, PrimaryItemMakesSevenComponentsUnderTheStyle)
{
    auto* LStyle = Apply(18);
    QStringList LClasses;
    for (auto* C : LStyle->findChildren<core::TqoControl*>())
        LClasses.append(ShortClass(C));
    EXPECT_EQ(LClasses, QStringList({"Image", "Layout", "Label", "Label", "Layout", "Rectangle", "Label"}));
}

TEST_F(CollectionViewStyles, UnknownIdsRaiseTheRegistrysMessages)
{
    const auto& LRegistry = TqoCollectionViewStylesRegistry::GetDefault();
    EXPECT_TRUE(LRegistry.Contains(23));
    EXPECT_FALSE(LRegistry.Contains(24));
    EXPECT_EQ(Message([&] { Apply(24); }), "Cannot create style from template with Id [24], because registry "
                                           "doesn't have template with this id.");
    EXPECT_EQ(Message([&] { LRegistry.TemplateInfo(-1); }),
              "Cannot return style template info. Registry doesn't have information about template with id [-1].");
    EXPECT_EQ(View->GetStyles()->Count(), 0);
    EXPECT_FALSE(Document->IsModified());
}

TEST_F(CollectionViewStyles, RegisteringATakenIdRaisesAndLeavesTheMenuAsItWas)
{
    auto& LRegistry = TqoCollectionViewStylesRegistry::GetDefault();
    auto& LTaken = const_cast<TqoCollectionViewStyleTemplate&>(LRegistry.TemplateInfo(5));
    EXPECT_EQ(Message([&] { LRegistry.Register(&LTaken); }),
              "Cannot register style template. Registry has already had registered template with id [5].");
    ASSERT_EQ(LRegistry.GroupedTemplates().size(), 4u);
    for (const auto& LGroup : LRegistry.GroupedTemplates())
        EXPECT_EQ(LGroup->Templates.size(), 6u) << LGroup->Category.toStdString();
}

class TTestTemplate : public TqoCollectionViewStyleTemplate
{
public:
    explicit TTestTemplate(const QString& ACategory) { FCategory = ACategory; }

protected:
    void DoFillStyle(core::TqoCollectionViewStyle* AStyle, ide::IDesigner*) override { CreateSwitch(AStyle); }
};

TEST(CollectionViewStylesRegistry, ANewCategoryOrOneDifferingInCaseMakesANewGroupAtTheEnd)
{
    TqoCollectionViewStylesRegistry LRegistry;
    for (const char* LCategory : {"Menu", "Cards", "menu", "Menu"})
        LRegistry.Register(new TTestTemplate(LCategory));
    QStringList LGroups;
    for (const auto& LGroup : LRegistry.GroupedTemplates())
        LGroups.append(QStringLiteral("%1:%2").arg(LGroup->Category).arg(LGroup->Templates.size()));
    EXPECT_EQ(LGroups, QStringList({"Menu:2", "Cards:1", "menu:1"}));
    EXPECT_EQ(LRegistry.IndexOfCategory("menu"), 2);
    EXPECT_EQ(LRegistry.IndexOfCategory("MENU"), -1);
}

TEST(CollectionViewStylesRegistry, ATemplateCreatesChildrenOnlyThroughADesigner)
{
    TTestTemplate LTemplate(QStringLiteral("Menu"));
    core::TqoCollectionView LView;
    EXPECT_THROW(LTemplate.CreateStyle(&LView, nullptr), core::EqoAssertionFailed);
    EXPECT_EQ(LView.GetStyles()->Count(), 0);
}

struct TTemplateCase
{
    std::string Name;
    int Id;
    QString Structure;
    // Selector (element name or class, see Find; empty: the style), property path, value.
    std::vector<std::array<QString, 3>> Values;
};

class StyleTemplates : public CollectionViewStyles, public testing::WithParamInterface<TTemplateCase>
{
};

TEST_P(StyleTemplates, BuildTheirControlsWithTheirValues)
{
    auto* LStyle = Apply(GetParam().Id);
    EXPECT_EQ(Structure(LStyle), GetParam().Structure);
    for (const auto& [LSelector, LPath, LValue] : GetParam().Values) {
        QObject* LTarget = LSelector.isEmpty() ? LStyle : Find(LStyle, LSelector);
        ASSERT_NE(LTarget, nullptr) << LSelector.toStdString();
        EXPECT_EQ(Read(LTarget, LPath), LValue) << LSelector.toStdString() << " " << LPath.toStdString();
    }
}

const QString CDivider = QStringLiteral("Theme\\Text\\Dividers");
const QString CSecondary = QStringLiteral("Theme\\Text\\Secondary Text");
const QString CLong = QStringLiteral("Secondary line text Lorem ipsum dolor sit amet, consectetur adipisting elit");

const TTemplateCase CTemplateCases[] = {
    {"TextOnly",
     0,
     "Label[primary]",
     {{{"", "Size.Height", "48"},
       {"", "Padding.Left", "16"},
       {"", "Padding.Right", "16"},
       {"primary", "Text", "Single-line item"},
       {"primary", "FlexItem.FlexGrow", "1"},
       {"primary", "Margins.Bottom", "8"},
       {"primary", "Font.Size", "16"},
       {"primary", "Color", "#DE000000"},
       {"primary", "LinesCount", "1"}}}},
    {"TextAndIcon",
     1,
     "Label[primary] Image[icon]",
     {{{"icon", "FlexItem.AlignSelf", "4"}, {"icon", "Size.Width", "24"}, {"icon", "Margins.Start", "16"}}}},
    {"IconAndText",
     2,
     "Image[icon] Label[primary]",
     {{{"", "Size.Height", "56"}, {"icon", "Margins.End", "32"}, {"icon", "Margins.Top", "16"}}}},
    {"RoundImage",
     3,
     "Image[image] Label[primary] Image[icon]",
     {{{"", "Padding.Bottom", "8"}, {"image", "Size.Height", "40"}, {"image", "Margins.End", "16"}}}},
    {"SquareImage",
     4,
     "Image[image] Label[primary] Image[icon] Line*",
     {{{"", "Size.Height", "72"},
       {"image", "Size.Width", "56"},
       {"Line", "Size.Height", "1"},
       {"Line", "Stroke.Color", "#1F000000"},
       {"Line", "Stroke.ColorLink.DefaultName", CDivider},
       {"Line", "RelativePosition.DefinedValues", "13"}}}},
    {"PanoramImage",
     5,
     "Image[image] Label[primary] Image[icon] Line*",
     {{{"", "Padding.Left", "0"},
       {"", "Padding.End", "16"},
       {"image", "Size.Width", "100"},
       {"image", "ImageMode", "1"},
       {"Line", "RelativePosition.Start", "116"},
       {"Line", "RelativePosition.DefinedValues", "56"}}}},
    {"TwoLineMeta",
     6,
     "Layout(Label[primary] Label[meta]) Label[secondary]",
     {{{"", "Size.Height", "64"},
       {"", "ChildrenAlignment.Direction", "0"},
       {"Layout", "Size.Height", "28"},
       {"primary", "Text", "Two-line item"},
       {"primary", "VertAlign", "2"},
       {"meta", "Size.Width", "30"},
       {"meta", "HorzAlign", "2"},
       {"meta", "Margins.Start", "28"},
       {"meta", "TextColorLink.DefaultName", CSecondary},
       {"secondary", "Size.Height", "20"},
       {"secondary", "Color", "#99000000"},
       {"secondary", "Text", "Secondary text"}}}},
    {"TwoLineOverline",
     7,
     "Label[overline] Label[primary]",
     {{{"overline", "Size.Height", "24"},
       {"overline", "Font.Size", "10"},
       {"overline", "CharCase", "2"},
       {"overline", "Text", "Overline"},
       {"primary", "Size.Height", "20"}}}},
    {"TwoLineIcon",
     8,
     "Image[icon] Layout(Label[primary] Label[secondary])",
     {{{"", "Size.Height", "72"},
       {"icon", "FlexItem.AlignSelf", "2"},
       {"icon", "Margins.End", "32"},
       {"Layout", "FlexItem.FlexGrow", "1"},
       {"Layout", "ChildrenAlignment.Direction", "0"},
       {"primary", "Size.Height", "32"}}}},
    {"TwoLineRoundImage",
     9,
     "Image[image] Layout(Label[primary] Label[secondary]) Image[icon]",
     {{{"image", "Size.Width", "40"}, {"image", "FlexItem.AlignSelf", "2"}, {"image", "Margins.Top", "16"}}}},
    {"TwoLineSquareImage",
     10,
     "Image[image] Layout(Label[primary] Label[secondary]) Image[icon]",
     {{{"image", "Size.Height", "40"}, {"icon", "Margins.Start", "16"}}}},
    {"TwoLinePanoramImage",
     11,
     "Image[image] Layout(Label[primary] Label[secondary]) Image[icon] Line*",
     {{{"", "Padding.Left", "0"},
       {"", "Padding.Right", "16"},
       {"image", "FlexItem.AlignSelf", "4"},
       {"image", "ImageMode", "1"},
       {"Line", "RelativePosition.DefinedValues", "56"}}}},
    {"ThreeLineMeta",
     12,
     "Layout(Label[primary] Label[meta]) Label[secondary]",
     {{{"", "Size.Height", "88"},
       {"primary", "Text", "Three-line item"},
       {"secondary", "Size.Height", "40"},
       {"secondary", "LinesCount", "2"},
       {"secondary", "LineBreak", "2"},
       {"secondary", "Text", CLong}}}},
    {"ThreeLineOverline",
     13,
     "Label[overline] Label[primary] Label[secondary]",
     {{{"secondary", "Text", "Secondary text Lorem ipsum dolor sit amet."},
       {"secondary", "FlexItem.FlexGrow", "1"},
       {"secondary", "Margins.Bottom", "16"},
       {"secondary", "LinesCount", "1"}}}},
    {"ThreeLineIcon",
     14,
     "Image[icon] Layout(Label[primary] Label[secondary])",
     {{{"", "Size.Height", "88"},
       {"secondary", "LinesCount", "2"},
       {"secondary", "LineBreak", "2"},
       {"secondary", "Margins.Bottom", "16"},
       {"secondary", "TextColorLink.DefaultName", CSecondary}}}},
    {"ThreeLineRoundImage",
     15,
     "Image[image] Layout(Label[primary] Label[secondary]) Image[icon]",
     {{{"image", "Size.Width", "40"}, {"secondary", "Text", CLong}}}},
    {"ThreeLineSquareImage",
     16,
     "Image[image] Layout(Label[primary] Label[secondary]) Image[icon]",
     {{{"", "Size.Height", "88"}, {"image", "Size.Height", "40"}}}},
    {"ThreeLinePanoramImage",
     17,
     "Image[image] Layout(Label[primary] Label[secondary]) Image[icon] Line*",
     {{{"image", "Size.Width", "100"}, {"secondary", "LinesCount", "2"}, {"Line", "RelativePosition.Start", "116"}}}},
    {"MenuPrimaryItem",
     18,
     "Image Layout(Label[primary] Label[secondary]) Layout(Rectangle[badge-background]* Label[badge]*)",
     {{{"", "ChildrenAlignment.Direction", "1"},
       {"Image", "Margins.Right", "32"},
       {"Image", "Margins.Top", "12"},
       {"primary", "Font.Family", "Roboto Medium"},
       {"primary", "TextColorLink.DefaultName", "Theme\\Text\\Text"},
       {"primary", "VertAlign", "0"},
       {"secondary", "Color", "#8A000000"},
       {"secondary", "Font.Family", "Roboto"},
       {"Layout@1", "Size.Width", "24"},
       {"Layout@1", "FlexItem.AlignSelf", "4"},
       {"Layout@1", "Margins.Left", "16"},
       {"badge-background", "Fill.Color", "#FFFC0110"},
       {"badge-background", "Stroke.Kind", "0"},
       {"badge-background", "RadiusY", "5"},
       {"badge-background", "RelativePosition.DefinedValues", "15"},
       {"badge", "Text", "10"},
       {"badge", "Color", "#FFFFFFFF"},
       {"badge", "TextColorLink.DefaultName", ""}}}},
    {"MenuPrimaryItemSwitch",
     19,
     "Image Layout(Label[primary] Label[secondary]) Switch[switch]",
     {{{"", "Size.Height", "48"}, {"switch", "Margins.Left", "16"}}}},
    {"MenuSecondaryItem",
     20,
     "Image Layout(Label[primary] Label[secondary])",
     {{{"", "Size.Height", "42"},
       {"Image", "Size.Width", "18"},
       {"Image", "Margins.Right", "38"},
       {"secondary", "Font.Size", "12"}}}},
    {"MenuSecondaryItemSwitch",
     21,
     "Image Layout(Label[primary] Label[secondary]) Switch[switch]",
     {{{"", "Size.Height", "42"}, {"switch", "Margins.Left", "16"}}}},
    {"MenuDivider",
     22,
     "Line",
     {{{"", "Size.Height", "18"},
       {"", "Padding.Top", "8"},
       {"Line", "Size.Height", "2"},
       {"Line", "LineType", "1"},
       {"Line", "Stroke.ColorName", CDivider}}}},
    {"MenuItemsSection",
     23,
     "Line Label[primary]",
     {{{"", "ChildrenAlignment.Direction", "0"},
       {"Line", "Margins.Top", "8"},
       {"primary", "Padding.Left", "8"},
       {"primary", "Padding.Right", "8"},
       {"primary", "TextColorLink.DefaultName", CSecondary}}}},
};

INSTANTIATE_TEST_SUITE_P(All, StyleTemplates, testing::ValuesIn(CTemplateCases), testdata::TCaseName());

TEST_F(CollectionViewStyles, EveryTemplateSavedWithTheFormReadsBackAsTheSameTree)
{
    for (int LId = 0; LId < 24; ++LId)
        Apply(LId);
    View->CreateStyle();
    Document->Save();
    QStringList LBefore;
    Dump(View, QString(), LBefore);

    const auto LReopened = ide::TFormDocument::Open(Dir.filePath("Main.xfm"));
    QStringList LProblems;
    for (const auto& P : LReopened->Problems())
        LProblems.append(QStringLiteral("%1: %2").arg(P.Line).arg(P.Text));
    EXPECT_EQ(LProblems, QStringList());
    auto* LView = qobject_cast<core::TqoCustomCollectionView*>(LReopened->FindComponent("CollectionViewItems"));
    ASSERT_NE(LView, nullptr);
    EXPECT_EQ(LView->GetStyles()->Count(), 25);
    QStringList LAfter;
    Dump(LView, QString(), LAfter);
    EXPECT_EQ(LAfter, LBefore);
}

} // namespace

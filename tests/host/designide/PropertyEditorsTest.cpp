// The object inspector's editors: the kinds for plain types, multi-selection, selection
// editors and the choice of the closest registered editor.

#include "DesignEditors.h"
#include "FormTestClasses.h"
#include "TestData.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace formtest;
using ide::TPropertyEditor;

TPropertyEditor* Find(const ide::TPropertyEditorList& AEditors, const QString& AName)
{
    for (const auto& E : AEditors)
        if (E->GetName() == AName)
            return E.get();
    return nullptr;
}

QStringList Names(const ide::TPropertyEditorList& AEditors)
{
    QStringList LNames;
    for (const auto& E : AEditors)
        LNames.append(E->GetName());
    return LNames;
}

class PropertyEditors : public TFormFixture
{
protected:
    TFormWidget Form;
    TButtonWidget* Button = new TButtonWidget(&Form);
    TPanelWidget* Panel = new TPanelWidget(&Form);
    ide::TFormDesigner Designer{&Form};
    void SetUp() override
    {
        TFormFixture::SetUp();
        Form.setObjectName("Form1");
        Button->setObjectName("Button1");
        Panel->setObjectName("Panel1");
    }
    ide::TPropertyEditorList Editors(const QList<QObject*>& ASelection)
    {
        return ide::GetComponentProperties(ASelection, &Designer);
    }
};

struct TKindCase
{
    std::string Name;
    const char* Property;
    const char* Typed;
    const char* Shown; // null: the text is refused
    const char* Refusal = "";
};

const TKindCase KindCases[] = {
    {"IntegerTakesDigits", "Tag", " 42 ", "42"},
    {"IntegerTakesHex", "Tag", "$1F", "31"},
    {"IntegerRefusesLetters", "Tag", "4x2", nullptr, "'4x2' is not a valid integer value"},
    {"FloatTakesPointDecimals", "Opacity", "0.25", "0.25"},
    {"FloatRefusesText", "Opacity", "half", nullptr, "'half' is not a valid floating point value"},
    {"StringTakesAnything", "Text", "  spaced ", "  spaced "},
    {"EnumIgnoresCase", "Align", "client", "Client"},
    {"EnumRefusesUnknownNames", "Align", "Middle", nullptr, "Invalid property value"},
    {"BoolIsAnEnumOfFalseAndTrue", "Visible", "FALSE", "False"},
    {"BoolRefusesOtherWords", "Visible", "maybe", nullptr, "Invalid property value"},
    {"ReferenceByComponentName", "Buddy", "panel1", "Panel1"},
    {"ReferenceRefusesUnknownNames", "Buddy", "Nobody", nullptr, "Invalid property value"},
    {"NameTakesAnIdentifier", "Name", "ButtonOk", "ButtonOk"},
    {"NameRefusesOtherTexts", "Name", "2nd button", nullptr, "'2nd button' is not a valid component name"},
    {"NameRefusesATakenName", "Name", "panel1", nullptr, "A component named panel1 already exists"},
};

class EditorKinds : public PropertyEditors, public ::testing::WithParamInterface<TKindCase>
{
};

TEST_P(EditorKinds, SetValueThenGetValue)
{
    const auto& C = GetParam();
    auto LEditors = Editors({Button});
    auto* LEditor = Find(LEditors, C.Property);
    ASSERT_NE(LEditor, nullptr);
    const QString LBefore = LEditor->GetValue();
    if (C.Shown) {
        LEditor->SetValue(C.Typed);
        EXPECT_EQ(LEditor->GetValue(), C.Shown);
        EXPECT_EQ(Designer.ModifiedCount(), 1);
    } else {
        try {
            LEditor->SetValue(C.Typed);
            ADD_FAILURE() << "accepted " << C.Typed;
        } catch (const ide::EPropertyError& E) {
            EXPECT_STREQ(E.what(), C.Refusal);
        }
        EXPECT_EQ(LEditor->GetValue(), LBefore);
        EXPECT_EQ(Designer.ModifiedCount(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EditorKinds, ::testing::ValuesIn(KindCases), testdata::TCaseName());

TEST_F(PropertyEditors, ValueListsAndAttributesOfTheKinds)
{
    auto LEditors = Editors({Button});
    EXPECT_EQ(Find(LEditors, "Align")->ValueList(), (QStringList{"Client", "None", "Top"}));
    EXPECT_EQ(Find(LEditors, "Visible")->ValueList(), (QStringList{"False", "True"}));
    EXPECT_EQ(Find(LEditors, "Buddy")->ValueList(), (QStringList{"Button1", "Panel1"}));
    EXPECT_EQ(ide::AttributeNames(Find(LEditors, "Align")->GetAttributes()),
              (QStringList{"paValueList", "paMultiSelect", "paSortList", "paRevertable"}));
    EXPECT_EQ(Find(LEditors, "Sides")->GetValue(), "[]");
    // Name is the component's own and objectName is Qt's.
    EXPECT_EQ(Find(LEditors, "objectName"), nullptr);
}

TEST_F(PropertyEditors, ValueObjectsEditTheirPropertiesAsSubProperties)
{
    auto LEditors = Editors({Button, Panel});
    auto* LSize = Find(LEditors, "Size");
    ASSERT_NE(LSize, nullptr);
    EXPECT_EQ(LSize->GetValue(), "(TExtent)");
    EXPECT_TRUE(LSize->GetAttributes().testFlag(ide::paSubProperties));
    ide::TPropertyEditorList LSubs;
    LSize->GetProperties([&](std::unique_ptr<TPropertyEditor> E) { LSubs.push_back(std::move(E)); });
    EXPECT_EQ(Names(LSubs), (QStringList{"Width", "Height"}));
    Find(LSubs, "Width")->SetValue("64.5");
    EXPECT_EQ(Button->Size->Width, 64.5f);
    EXPECT_EQ(Panel->Size->Width, 64.5f);
    EXPECT_EQ(Designer.ModifiedCount(), 1);
}

TEST_F(PropertyEditors, MultiSelectionShowsCommonPropertiesAndOnlyAgreedValues)
{
    Button->Text = "A";
    Panel->Text = "B";
    Button->Tag = Panel->Tag = 7;
    auto LEditors = Editors({Button, Panel});
    EXPECT_EQ(Find(LEditors, "Columns"), nullptr);
    // Two components never take one name.
    EXPECT_EQ(Find(LEditors, "Name"), nullptr);
    EXPECT_EQ(Find(LEditors, "Text")->ShownValue(), "");
    EXPECT_EQ(Find(LEditors, "Tag")->ShownValue(), "7");
    EXPECT_EQ(Find(LEditors, "Size")->ShownValue(), "(TExtent)");
    EXPECT_EQ(Find(LEditors, "Tag")->PropCount(), 2);
    Find(LEditors, "Text")->SetValue("C");
    EXPECT_EQ(Find(LEditors, "Text")->ShownValue(), "C");
    EXPECT_EQ(Panel->Text, "C");
}

TEST_F(PropertyEditors, DefaultValueDrawingLeavesDisagreeingValuesBlank)
{
    Button->Text = "A";
    Panel->Text = "B";
    auto LEditors = Editors({Button, Panel});
    const auto Draw = [](TPropertyEditor* AEditor) {
        QImage LImage(80, 16, QImage::Format_ARGB32);
        LImage.fill(Qt::white);
        QPainter LPainter(&LImage);
        ide::DefaultPropertyDrawValue(*AEditor, LPainter, LImage.rect());
        return LImage;
    };
    QImage LBlank(80, 16, QImage::Format_ARGB32);
    LBlank.fill(Qt::white);
    EXPECT_EQ(Draw(Find(LEditors, "Text")), LBlank);
    EXPECT_NE(Draw(Find(LEditors, "Tag")), LBlank);
}

class TSingleOnlyEditor : public ide::TStringProperty
{
public:
    ide::TPropertyAttributes GetAttributes() override { return ide::paDialog; }
};

TEST_F(PropertyEditors, EditorsWithoutMultiSelectAreLeftOutOfASelectionOfSeveral)
{
    ide::RegisterPropertyEditor("string", &TWidget::staticMetaObject, "Text",
                                ide::PropertyEditorClass<TSingleOnlyEditor>("TSingleOnlyEditor"));
    EXPECT_NE(Find(Editors({Button}), "Text"), nullptr);
    EXPECT_EQ(Find(Editors({Button, Panel}), "Text"), nullptr);
    EXPECT_NE(Find(Editors({Button, Panel}), "Tag"), nullptr);
}

class THidingEditor : public ide::TSelectionEditor
{
public:
    void RequiresUnits(const std::function<void(const QString&)>& AProc) override
    {
        AProc("Button.Types");
        AProc("Shared.Types");
    }
    void FilterProperties(const QList<QObject*>&, ide::TPropertyEditorList& AProperties) override
    {
        ide::DeletePropertiesNamed(AProperties, {"TEXT", "size"});
    }
};

class TPanelUnits : public ide::TSelectionEditor
{
public:
    void RequiresUnits(const std::function<void(const QString&)>& AProc) override { AProc("shared.types"); }
};

TEST_F(PropertyEditors, SelectionEditorsHidePropertiesByNameAndNameUnits)
{
    ide::RegisterSelectionEditor(&TButtonWidget::staticMetaObject,
                                 ide::SelectionEditorClass<THidingEditor>("THidingEditor"));
    ide::RegisterSelectionEditor(&TPanelWidget::staticMetaObject,
                                 ide::SelectionEditorClass<TPanelUnits>("TPanelUnits"));
    const QStringList LButton = Names(Editors({Button}));
    EXPECT_FALSE(LButton.contains("Text"));
    EXPECT_FALSE(LButton.contains("Size"));
    EXPECT_TRUE(LButton.contains("Tag"));
    // The button's editor does not apply to a selection that holds a panel too.
    EXPECT_TRUE(Names(Editors({Button, Panel})).contains("Text"));
    EXPECT_EQ(ide::SelectionRequiredUnits({Panel, Button}), (QStringList{"shared.types", "Button.Types"}));
}

class TNamed : public ide::TPropertyEditor
{
};

TEST_F(PropertyEditors, ClosestRegisteredEditorIsChosen)
{
    const auto Editor = [](const char* N) { return ide::PropertyEditorClass<TNamed>(QString::fromLatin1(N)); };
    ide::RegisterPropertyEditor("TExtent", nullptr, QString(), Editor("extent"));
    ide::RegisterPropertyEditor("QObject", nullptr, QString(), Editor("anyObject"));
    ide::RegisterPropertyEditor("TqoAssetName", nullptr, QString(), Editor("assetName"));
    ide::RegisterPropertyEditor("Single", &TExtent::staticMetaObject, "Width", Editor("extentWidth"));
    const auto& Registry = ide::TDesignRegistry::Instance();
    const auto Chosen = [&](const QObject* AInstance, const char* AProperty) {
        const QMetaProperty P = AInstance->metaObject()->property(AInstance->metaObject()->indexOfProperty(AProperty));
        const QObject* LValue = P.read(AInstance).value<QObject*>();
        const auto* E = Registry.FindPropertyEditor(ide::PropertyTypeName(P, AInstance), AInstance->metaObject(),
                                                    AProperty, LValue ? LValue->metaObject() : nullptr);
        return E ? E->EditorClass.Name.toStdString() : std::string("(kind)");
    };
    // An exact type beats an ancestor class of the value, whichever came later.
    EXPECT_EQ(Chosen(Button, "Size"), "extent");
    EXPECT_EQ(Chosen(Button, "Stops"), "anyObject");
    // A class may publish a string under a type of its own.
    EXPECT_EQ(Chosen(Button, "Picture"), "assetName");
    EXPECT_EQ(Chosen(Button, "Text"), "(kind)");
    // Bound to a class and a name: only there.
    EXPECT_EQ(Chosen(Button->Size, "Width"), "extentWidth");
    EXPECT_EQ(Chosen(Button->Size, "Height"), "(kind)");
    EXPECT_EQ(Chosen(Button, "Opacity"), "(kind)");
}

} // namespace

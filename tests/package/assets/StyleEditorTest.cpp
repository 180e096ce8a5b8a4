#include "TestData.h"

#include "IdeSession.h"
#include "ORVO.Assets.Factory.h"
#include "ORVO.Colors.h"
#include "ORVO.Components.h"
#include "ORVO.Exceptions.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/designer/ORVO.Assets.View.GroupedResources.h"
#include "assets/editors/ORVO.Assets.Editor.Style.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

// A control with a property of every kind the style file holds, and an object it holds.
class TStyleTestFont : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float Size MEMBER FSize)
public:
    float FSize = 12;
};

class TStyleTestSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TStyleTestFont* Font MEMBER FFont)
    Q_PROPERTY(QColor FontColor MEMBER FFontColor)
public:
    TStyleTestFont* FFont = new TStyleTestFont;
    QColor FFontColor = Qt::black;
    ~TStyleTestSettings() override { delete FFont; }
};

class TStyleTestControl : public core::TqoControl
{
    Q_OBJECT
    Q_PROPERTY(int Tag MEMBER FTag)
    Q_PROPERTY(core::TqoAlphaColor Fill MEMBER FFill)
    Q_PROPERTY(TAlign Align MEMBER FAlign)
    Q_PROPERTY(TStyleTestSettings* TextSettings MEMBER FTextSettings)
    Q_PROPERTY(TStyleTestSettings* Missing MEMBER FMissing)
    Q_PROPERTY(int ReadOnly READ ReadOnly)
public:
    enum class TAlign
    {
        Left,
        Center,
        Right
    };
    Q_ENUM(TAlign)
    Q_INVOKABLE explicit TStyleTestControl(QObject* AOwner = nullptr) : core::TqoControl(AOwner) {}
    ~TStyleTestControl() override { delete FTextSettings; }
    int ReadOnly() const { return 0; }

    int FTag = 0;
    core::TqoAlphaColor FFill = 0;
    TAlign FAlign = TAlign::Left;
    TStyleTestSettings* FTextSettings = new TStyleTestSettings;
    TStyleTestSettings* FMissing = nullptr;
};

class TStyleTestNoConstructor : public core::TqoControl
{
    Q_OBJECT
public:
    Q_INVOKABLE TStyleTestNoConstructor(int, QObject* AOwner) : core::TqoControl(AOwner) {}
};

namespace {

using orvo::TObjectInspectorModel;
using testdata::ReadAll;

const QString TestClass = QStringLiteral("StyleTest.TStyleTestControl");

class StyleFile : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static const bool LRegistered = [] {
            auto& LRegistry = orvo::TStyleClassRegistry::Instance();
            LRegistry.Register(QStringLiteral("StyleTest"), &TStyleTestControl::staticMetaObject, false);
            LRegistry.Register(QStringLiteral("StyleTest"), &TStyleTestNoConstructor::staticMetaObject, false);
            return true;
        }();
        Q_UNUSED(LRegistered);
    }

    QString Path(const QString& AName) const { return FDir.filePath(AName); }

    QStringList DeclaredNames(const TObjectInspectorModel& AModel) const
    {
        QStringList LNames;
        for (const auto* LEntry : AModel.DeclaredEntries())
            LNames << LEntry->FullQualifiedName();
        return LNames;
    }

    QTemporaryDir FDir;
};

TEST_F(StyleFile, EveryValueTypeIsWrittenInDeclaredOrderAndReadBack)
{
    TObjectInspectorModel LModel;
    LModel.SelectClass(TestClass);
    QStringList LNames;
    for (const auto& LEntry : LModel.Entries())
        LNames << LEntry->FullQualifiedName();
    // Read-only properties and unset objects are left out; held objects are descended into.
    EXPECT_EQ(LNames, (QStringList{"Name", "Alignment", "Width", "Height", "Visible", "PositionMode", "ElementName",
                                   "Tag", "Fill", "Align", "TextSettings.Font.Size", "TextSettings.FontColor"}));

    const std::pair<const char*, const char*> LEdits[] = {{"TextSettings.Font.Size", "14.5"},
                                                          {"Tag", "42"},
                                                          {"Align", "Right"},
                                                          {"Fill", "#80FF0000"},
                                                          {"Visible", "False"},
                                                          {"Name", "Primary"},
                                                          {"Width", "12.25"},
                                                          {"TextSettings.FontColor", "#00FF00"}};
    for (const auto& [LName, LValue] : LEdits) {
        orvo::TPropertyData* LEntry = LModel.FindEntry(QString::fromLatin1(LName));
        ASSERT_NE(LEntry, nullptr) << LName;
        LEntry->Editor->SetValue(QString::fromLatin1(LValue));
        LModel.MarkAsDeclared(LEntry);
    }
    LModel.SaveToFile(Path("a.style"));
    EXPECT_EQ(ReadAll(Path("a.style")), QByteArray(R"({
  "className": "StyleTest.TStyleTestControl",
  "properties": {
    "TextSettings.Font.Size": 14.5,
    "Tag": 42,
    "Align": "Right",
    "Fill": 2164195328,
    "Visible": "False",
    "Name": "Primary",
    "Width": 12.25,
    "TextSettings.FontColor": 4278255360
  }
})"));

    TObjectInspectorModel LRead;
    LRead.LoadFromFile(Path("a.style"));
    ASSERT_NE(LRead.SelectedClass(), nullptr);
    EXPECT_EQ(DeclaredNames(LRead), DeclaredNames(LModel));
    for (const auto& [LName, LValue] : LEdits)
        EXPECT_EQ(LRead.FindEntry(QString::fromLatin1(LName))->Editor->GetValue(), QString::fromLatin1(LValue))
            << LName;
    const auto* LInstance = static_cast<TStyleTestControl*>(LRead.Instance());
    EXPECT_EQ(LInstance->FFill, 0x80FF0000u);
    EXPECT_EQ(LInstance->FTextSettings->FFont->FSize, 14.5f);

    for (auto* LEntry : QList(LRead.DeclaredEntries()))
        LRead.RemoveFromDeclared(LEntry);
    LRead.SaveToFile(Path("a.style"));
    EXPECT_EQ(ReadAll(Path("a.style")), QByteArray("{\n  \"className\": \"StyleTest.TStyleTestControl\",\n"
                                                   "  \"properties\": {}\n}"));
}

struct TLoadCase
{
    const char* Name;
    const char* Text;
    bool HasClass;
    QStringList Declared;
};

class StyleFileLoad : public StyleFile, public testing::WithParamInterface<TLoadCase>
{
};

TEST_P(StyleFileLoad, SkipsWhatDoesNotFit)
{
    testdata::WriteAll(Path("b.style"), GetParam().Text);
    TObjectInspectorModel LModel;
    LModel.LoadFromFile(Path("b.style"));
    EXPECT_EQ(LModel.SelectedClass() != nullptr, GetParam().HasClass);
    EXPECT_EQ(DeclaredNames(LModel), GetParam().Declared);
}

INSTANTIATE_TEST_SUITE_P(Cases, StyleFileLoad,
                         testing::Values(TLoadCase{"NoClassName", R"({"properties": {"Tag": 1}})", false, {}},
                                         TLoadCase{"UnknownMember",
                                                   R"({"className": "StyleTest.TStyleTestControl",
                  "properties": {"Nope": 1, "Tag": 3}})",
                                                   true,
                                                   {"Tag"}},
                                         TLoadCase{"UnknownEnumName",
                                                   R"({"className": "StyleTest.TStyleTestControl",
                  "properties": {"Align": "Middle", "Visible": "Yes", "Width": 3}})",
                                                   true,
                                                   {"Width"}},
                                         TLoadCase{"WrongJsonTypes",
                                                   R"({"className": "StyleTest.TStyleTestControl",
                  "properties": {"Tag": "1", "Name": 2, "Width": "x", "Fill": 7}})",
                                                   true,
                                                   {"Fill"}},
                                         TLoadCase{"PropertiesNotAnObject",
                                                   R"({"className": "StyleTest.TStyleTestControl", "properties": []})",
                                                   true,
                                                   {}}),
                         testdata::TCaseName());

struct TSelectCase
{
    const char* Name;
    const char* ClassName;
    const char* Message;
};

class StyleClassSelect : public StyleFile, public testing::WithParamInterface<TSelectCase>
{
};

TEST_P(StyleClassSelect, RefusesWhatCannotBeMade)
{
    TObjectInspectorModel LModel;
    try {
        LModel.SelectClass(QString::fromLatin1(GetParam().ClassName));
        ADD_FAILURE() << "no error";
    } catch (const core::EqoException& E) {
        EXPECT_EQ(E.Message(), QString::fromLatin1(GetParam().Message));
    }
    EXPECT_EQ(LModel.SelectedClass(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StyleClassSelect,
    testing::Values(TSelectCase{"Unknown", "ORVO.Components.TqoNothing",
                                "Cannot find specified class: typeName=\"ORVO.Components.TqoNothing\""},
                    TSelectCase{"NotAClass", "System.QString",
                                "Specified type is not a class: typeName=\"System.QString\""},
                    TSelectCase{"OnlyOtherConstructors", "StyleTest.TStyleTestNoConstructor",
                                "Cannot find default or component constructor"}),
    testdata::TCaseName());

// The demo's style asset edited through its tile and the dialog, then saved with the project.
TEST(StyleEditor, TileDialogEditReachesTheAssetAndTheSavedStyleFile)
{
    orvo::AssetsEditorsInitialization();
    QTemporaryDir LDir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), LDir.path()));
    auto LProject = ide::TDprojProject::Open(LDir.filePath(QStringLiteral("DemoApp.dproj")));
    orvo::TqoAssetsDocument LDocument;
    LDocument.SetProject(LProject);
    auto* LAsset = dynamic_cast<core::TqoAssetStyle*>(
        LDocument.GetAssetsManager()
            .Find(QStringLiteral("Styles\\PrimaryButton"), core::TqoPlatform::All, core::TqoDeviceClass::All)
            .get());
    ASSERT_NE(LAsset, nullptr);

    orvo::TResourceGroupView LTile;
    LTile.SetAsset(LAsset);
    int LChanges = 0;
    LTile.OnNeedUpdatePreview = [&](core::TqoAsset*) { ++LChanges; };
    LTile.show();
    auto* LFrame = qobject_cast<orvo::TEditorStyle*>(LTile.Editor());
    ASSERT_NE(LFrame, nullptr);
    EXPECT_EQ(LFrame->Title(), QStringLiteral("TqoButton"));

    QTest::mouseClick(LFrame->findChild<QToolButton*>(QStringLiteral("btnEdit")), Qt::LeftButton);
    orvo::TFormStyleEditor* LDialog = LFrame->Editor();
    ASSERT_NE(LDialog, nullptr);
    EXPECT_EQ(LDialog->ClassList()->currentText(), QStringLiteral("ORVO.Components.TqoButton"));
    ASSERT_EQ(LDialog->OverriddenRoot()->childCount(), 2);
    EXPECT_EQ(LDialog->OverriddenRoot()->child(0)->text(0), QStringLiteral("Height"));
    EXPECT_EQ(LDialog->OverriddenRoot()->child(0)->text(1), QStringLiteral("48"));

    QTreeWidgetItem* LWidth = LDialog->Tree()->findItems(QStringLiteral("Width"), Qt::MatchRecursive)[0];
    EXPECT_EQ(LWidth->parent(), LDialog->AllRoot());
    LWidth->setCheckState(0, Qt::Checked);
    QCoreApplication::processEvents();
    LWidth = LDialog->Tree()->findItems(QStringLiteral("Width"), Qt::MatchRecursive)[0];
    EXPECT_EQ(LWidth->parent(), LDialog->OverriddenRoot());
    LDialog->Tree()->editItem(LWidth, 1);
    auto* LEdit = LDialog->Tree()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(LEdit, nullptr);
    LEdit->selectAll();
    QTest::keyClicks(LEdit, QStringLiteral("120.5"));
    QTest::keyClick(LEdit, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits on its next turn
    EXPECT_EQ(LWidth->text(1), QStringLiteral("120.5"));
    QTest::mouseClick(LDialog->OkButton(), Qt::LeftButton);

    EXPECT_EQ(LChanges, 1);
    const QString LTemporary = LAsset->GetUri();
    EXPECT_TRUE(LTemporary.endsWith(QStringLiteral(".style")));
    const auto LResult = LDocument.Save(false);
    Q_UNUSED(LResult);
    const QString LStored = LDir.filePath(QStringLiteral("Assets/Styles/PrimaryButton/") + LAsset->GetTargetId() +
                                          QStringLiteral(".style"));
    EXPECT_EQ(ReadAll(LStored), QByteArray(R"({
  "className": "ORVO.Components.TqoButton",
  "properties": {
    "Height": 48.0,
    "Visible": "True",
    "Width": 120.5
  }
})"));
    QFile::remove(LTemporary);
    core::TqoAssetsManager LSaved;
    core::TqoAssetsFactory::LoadFromFile(LSaved, LDir.filePath(QStringLiteral("Assets/config.json")));
    const auto LSavedAsset = std::dynamic_pointer_cast<core::TqoAssetStyle>(
        LSaved.Find(QStringLiteral("Styles\\PrimaryButton"), core::TqoPlatform::All, core::TqoDeviceClass::All));
    ASSERT_NE(LSavedAsset, nullptr);
    EXPECT_EQ(LSavedAsset->GetUri(),
              QStringLiteral("Styles\\PrimaryButton\\") + LAsset->GetTargetId() + QStringLiteral(".style"));
    EXPECT_EQ(LSavedAsset->GetStyleClass(), QStringLiteral("TqoButton"));
}

} // namespace

#include "StyleEditorTest.moc"

// Text form files: lossless round trips, edits that touch only their own lines, damaged
// forms, and the components made from a form and written back.

#include "DesignFormDocument.h"
#include "FormTestClasses.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ide::TFormFile;
using ide::TFormValue;

struct TTextCase
{
    std::string Name;
    QByteArray Text;
};

const TTextCase RoundTrips[] = {
    {"NestedObjectsCrLf",
     "object Form1: TFormMain\r\n  Left = 0\r\n  object Panel1: TPanel\r\n"
     "    Size.Width = 120.000000000000000000\r\n    object B: TButton\r\n    end\r\n  end\r\nend\r\n"},
    {"InheritedAndInlineHeaders", "inherited Form2: TForm2\n  Caption = 'x'\n  inline Frame1: TFrame1 [0]\n  end\n  "
                                  "inherited Old: TOld\n  end\nend\n"},
    {"StringsEscapesAndContinuations", "object F: TF\n  Caption = #1055#1088#1080'vet '#39'q'#39\n  Hint = \n    "
                                       "'first part of a long text that goes on and on and on and on and ' +\n"
                                       "    'second part'\n  Empty = ''\n  Quote = 'it''s'\nend\n"},
    {"SetsListsCollectionsBinary",
     "object F: TF\n  Anchors = [akLeft, akTop]\n  NoSides = []\n  Lines.Strings = (\n    'a'\n    'b')\n"
     "  Points = <\n    item\n      Color = xFF000000\n      Offset = 0.5\n    end\n    item\n    end>\n"
     "  Empty = <>\n  Data = {\n    0A0B0C\n    0D}\nend\n"},
    {"NumbersIdentsAndUnknownProperties",
     "object F: TF\n  Tag = -12\n  Hex = $FF\n  Big = 1.5E+20\n  Money = 12.5c\n  Align = TAlign.Client\n"
     "  WhateverNobodyKnows = SomeIdent\nend"},
    {"BlankLinesBomAndTrailingSpace", "\xEF\xBB\xBF\nobject F: TF\n\n  A = 1\nend\n\n"},
};

class FormRoundTrip : public ::testing::TestWithParam<TTextCase>
{
};

TEST_P(FormRoundTrip, WritesTheBytesItRead) { EXPECT_EQ(TFormFile::Parse(GetParam().Text).Text(), GetParam().Text); }

INSTANTIATE_TEST_SUITE_P(Forms, FormRoundTrip, ::testing::ValuesIn(RoundTrips), testdata::TCaseName());

TEST(FormFile, ReadsValuesAsTheFormatMeansThem)
{
    const auto LForm = TFormFile::Parse(RoundTrips[2].Text);
    EXPECT_EQ(LForm.Root().FindProperty("Caption")->Value.Text, QString::fromUtf8("При") + "vet 'q'");
    EXPECT_EQ(LForm.Root().FindProperty("Hint")->Value.Text,
              "first part of a long text that goes on and on and on and on and second part");
    EXPECT_EQ(LForm.Root().FindProperty("quote")->Value.Text, "it's");

    const auto LOther = TFormFile::Parse(RoundTrips[3].Text);
    EXPECT_EQ(LOther.Root().FindProperty("Anchors")->Value.SetMembers(), (QStringList{"akLeft", "akTop"}));
    const auto& LPoints = LOther.Root().FindProperty("Points")->Value;
    ASSERT_EQ(LPoints.Collection.size(), 2u);
    EXPECT_EQ(LPoints.Collection[0][1].Value.ToDouble(), 0.5);
    EXPECT_EQ(LOther.Root().FindProperty("Lines.Strings")->Value.Items.size(), 2u);
    EXPECT_EQ(LOther.Root().FindProperty("Data")->Value.Text, "0A0B0C0D");
}

TEST(FormFile, ChangedPropertyRewritesOnlyItsOwnLines)
{
    auto LForm = TFormFile::Parse(RoundTrips[2].Text);
    LForm.Root().SetProperty("Hint", TFormValue::String(QString::fromUtf8("Да")), "\n");
    LForm.Root().SetProperty("Width", TFormValue::Float(120), "\n");
    LForm.Root().SetProperty("Caption", TFormValue::String(QString::fromUtf8("При") + "vet 'q'"), "\n");
    EXPECT_EQ(LForm.Text(), QByteArray("object F: TF\n  Caption = #1055#1088#1080'vet '#39'q'#39\n  Hint = #1044#1072\n"
                                       "  Empty = ''\n  Quote = 'it''s'\n  Width = 120.000000000000000000\nend\n"));
}

TEST(FormFile, LongStringsAndCollectionsAreWrittenInTheFormatsShape)
{
    auto LForm = TFormFile::Parse("object F: TF\n  object C: TC\n  end\nend\n");
    LForm.Root().SetProperty("Hint", TFormValue::String(QString(70, 'a')), "\n");
    TFormValue LPoints{TFormValue::TKind::Collection, {}, {}, {{{"Offset", TFormValue::Float(0.25)}}}};
    LForm.Root().SetProperty("Points", LPoints, "\n");
    const QByteArray LExpected = "object F: TF\n  Hint = \n    '" + QByteArray(64, 'a') + "' +\n    '" +
                                 QByteArray(6, 'a') +
                                 "'\n  Points = <\n    item\n      Offset = 0.250000000000000000\n    end>\n"
                                 "  object C: TC\n  end\nend\n";
    EXPECT_EQ(LForm.Text().toStdString(), LExpected.toStdString());
    // What was written reads back to the same values.
    const auto LAgain = TFormFile::Parse(LForm.Text());
    EXPECT_EQ(LAgain.Root().FindProperty("Hint")->Value.Text, QString(70, 'a'));
    EXPECT_EQ(LAgain.Root().FindProperty("Points")->Value.Collection.size(), 1u);
}

struct TDamagedCase
{
    std::string Name;
    QByteArray Text;
    int Line;
    const char* Message;
};

const TDamagedCase Damaged[] = {
    {"MissingEnd", "object F: TF\n  A = 1\n", 2, "\"end\" of \"F\" is missing"},
    {"MissingEquals", "object F: TF\n  A 1\nend\n", 2, "expected \"=\" after \"A\""},
    {"UnclosedString", "object F: TF\n  A = 'abc\nend\n", 2, "not closed"},
    {"BadNumber", "object F: TF\n  A = 12x\nend\n", 2, "bad number"},
    {"NotAnObject", "form F: TF\nend\n", 1, "expected \"object\""},
    {"TextAfterTheLastEnd", "object F: TF\nend\nobject G: TG\nend\n", 3, "after the form's last"},
    {"UnclosedCollection", "object F: TF\n  P = <\n    item\n      A = 1\n", 4, "collection item is missing"},
    {"Empty", "\n\n", 1, "empty"},
};

class DamagedForm : public ::testing::TestWithParam<TDamagedCase>
{
};

TEST_P(DamagedForm, NamesTheFileAndTheLine)
{
    try {
        TFormFile::Parse(GetParam().Text, "Main.xfm");
        FAIL() << "no error";
    } catch (const ide::EFormError& E) {
        EXPECT_EQ(E.Line(), GetParam().Line);
        EXPECT_NE(std::string(E.what()).find("File \"Main.xfm\", line " + std::to_string(GetParam().Line)),
                  std::string::npos)
            << E.what();
        EXPECT_NE(std::string(E.what()).find(GetParam().Message), std::string::npos) << E.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, DamagedForm, ::testing::ValuesIn(Damaged), testdata::TCaseName());

// ---------------------------------------------------------------------------------------

using formtest::TFormFixture;
using FormDocument = TFormFixture;

const QByteArray DemoForm = "object FormMain: TFormMain\r\n"
                            "  Tag = 3\r\n"
                            "  object Button1: TButtonWidget\r\n"
                            "    Size.Width = 200.000000000000000000\r\n"
                            "    Text = 'Go'\r\n"
                            "    Align = Client\r\n"
                            "    Sides = [Left, Right]\r\n"
                            "    Buddy = Panel1\r\n"
                            "    OnClick = Button1Click\r\n"
                            "    Stops = <\r\n"
                            "      item\r\n"
                            "        Color = xFF112233\r\n"
                            "      end>\r\n"
                            "  end\r\n"
                            "  object Panel1: TPanelWidget\r\n"
                            "    Frobnicate = 7\r\n"
                            "    Visible = 12\r\n"
                            "    object Mystery1: TMystery\r\n"
                            "      object Inner: TWidget\r\n"
                            "      end\r\n"
                            "    end\r\n"
                            "  end\r\n"
                            "end\r\n";

struct TFormOnDisk
{
    QTemporaryDir Dir;
    QString Form = Dir.path() + "/Main.xfm";
    TFormOnDisk(const QByteArray& AText)
    {
        EXPECT_TRUE(testdata::WriteAll(Form, AText));
        EXPECT_TRUE(testdata::WriteAll(Dir.path() + "/Main.pas",
                                       "unit Main;\ninterface\ntype\n  TFormMain = class(TFormWidget)\n  end;\n"));
    }
};

TEST_F(FormDocument, CreatesTheComponentsAndReportsWhatItCannotTake)
{
    TFormOnDisk LDisk(DemoForm);
    const auto LDocument = ide::TFormDocument::Open(LDisk.Form);
    ASSERT_EQ(LDocument->Components().size(), 3);
    auto* LButton = qobject_cast<formtest::TWidget*>(LDocument->FindComponent("Button1"));
    auto* LPanel = qobject_cast<formtest::TWidget*>(LDocument->FindComponent("Panel1"));
    ASSERT_NE(LButton, nullptr);
    EXPECT_EQ(LDocument->Root()->metaObject(), &formtest::TFormWidget::staticMetaObject);
    EXPECT_EQ(LButton->Size->Width, 200.f);
    EXPECT_EQ(LButton->Text, "Go");
    EXPECT_EQ(LButton->Align, formtest::TWidget::TAlign::Client);
    EXPECT_EQ(LButton->Sides, formtest::TWidget::TSides(formtest::TWidget::Left | formtest::TWidget::Right));
    EXPECT_EQ(LButton->Buddy, LPanel);
    ASSERT_EQ(LButton->Stops->children().size(), 1);
    EXPECT_EQ(qobject_cast<formtest::TStop*>(LButton->Stops->children()[0])->Color, 0xFF112233u);
    ASSERT_EQ(LDocument->Events().size(), 1u);
    EXPECT_EQ(LDocument->Events()[0].Handler, "Button1Click");

    QStringList LProblems;
    for (const auto& P : LDocument->Problems())
        LProblems.append(QString::number(P.Line) + ": " + P.Text.section(';', 0, 0));
    EXPECT_EQ(LProblems, (QStringList{"16: property \"Frobnicate\" of \"Panel1\" is unknown",
                                      "17: property \"Visible\" of \"Panel1\" cannot take 12",
                                      "18: class \"TMystery\" of \"Mystery1\" is not registered"}));
}

TEST_F(FormDocument, UnchangedComponentsWriteTheFormBackByteForByte)
{
    TFormOnDisk LDisk(DemoForm);
    auto LDocument = ide::TFormDocument::Open(LDisk.Form);
    LDocument->Save();
    EXPECT_EQ(testdata::ReadAll(LDisk.Form).toStdString(), DemoForm.toStdString());
}

TEST_F(FormDocument, ChangedComponentsRewriteOnlyTheirProperties)
{
    TFormOnDisk LDisk(DemoForm);
    auto LDocument = ide::TFormDocument::Open(LDisk.Form);
    auto* LButton = qobject_cast<formtest::TWidget*>(LDocument->FindComponent("Button1"));
    auto* LPanel = qobject_cast<formtest::TPanelWidget*>(LDocument->FindComponent("Panel1"));
    LButton->Size->Width = 64;
    LButton->Text = "Stop";
    LPanel->Columns = 2;
    LPanel->setObjectName("PanelMain");
    LPanel->Size->Height = 10.5;
    LDocument->Save();

    QByteArray LExpected = DemoForm;
    LExpected.replace("Size.Width = 200.000000000000000000", "Size.Width = 64.000000000000000000");
    LExpected.replace("Text = 'Go'", "Text = 'Stop'");
    LExpected.replace("object Panel1: TPanelWidget", "object PanelMain: TPanelWidget");
    LExpected.replace("Buddy = Panel1", "Buddy = PanelMain");
    // Added properties go where the class declares them among those already written.
    LExpected.replace("    Visible = 12\r\n",
                      "    Size.Height = 10.500000000000000000\r\n    Visible = 12\r\n    Columns = 2\r\n");
    EXPECT_EQ(testdata::ReadAll(LDisk.Form).toStdString(), LExpected.toStdString());
}

TEST_F(FormDocument, ComponentsCreatedInTheDesignerAreWrittenAsObjects)
{
    TFormOnDisk LDisk(DemoForm);
    auto LDocument = ide::TFormDocument::Open(LDisk.Form);
    QObject* LPanel = LDocument->FindComponent("Panel1");
    auto* LNew = qobject_cast<formtest::TWidget*>(
        LDocument->Designer().CreateChild(&formtest::TButtonWidget::staticMetaObject, LPanel));
    ASSERT_NE(LNew, nullptr);
    LNew->Text = "New";
    EXPECT_TRUE(LDocument->IsModified());
    LDocument->Save();

    QByteArray LExpected = DemoForm;
    LExpected.replace("      end\r\n    end\r\n  end\r\nend\r\n",
                      "      end\r\n    end\r\n    object ButtonWidget1: TButtonWidget\r\n      Text = 'New'\r\n"
                      "    end\r\n  end\r\nend\r\n");
    EXPECT_EQ(testdata::ReadAll(LDisk.Form).toStdString(), LExpected.toStdString());
    // Written as the reader reads it: the new object comes back as a component.
    EXPECT_NE(ide::TFormDocument::Open(LDisk.Form)->FindComponent("ButtonWidget1"), nullptr);
}

class TButtonUnits : public ide::TSelectionEditor
{
public:
    void RequiresUnits(const std::function<void(const QString&)>& AProc) override
    {
        AProc("System.SysUtils");
        AProc("Button.Types");
    }
};

TEST_F(FormDocument, UnitsTheSelectionEditorsRequireJoinTheUnitsUsesClauseOnce)
{
    ide::RegisterSelectionEditor(&formtest::TButtonWidget::staticMetaObject,
                                 ide::SelectionEditorClass<TButtonUnits>("TButtonUnits"));
    TFormOnDisk LDisk(DemoForm);
    const QString LUnit = LDisk.Dir.path() + "/Main.pas";
    const QByteArray LSource =
        "unit Main;\n\ninterface\n\nuses\n  System.SysUtils, {Button.Types} Forms;\n\n"
        "type\n  TFormMain = class(TFormWidget)\n  end;\n\nimplementation\n\nuses Other;\n\nend.\n";
    ASSERT_TRUE(testdata::WriteAll(LUnit, LSource));
    auto LDocument = ide::TFormDocument::Open(LDisk.Form);
    LDocument->Save();
    LDocument->Save();
    QByteArray LExpected = LSource;
    LExpected.replace("Forms;", "Forms, Button.Types;");
    EXPECT_EQ(testdata::ReadAll(LUnit).toStdString(), LExpected.toStdString());
}

TEST_F(FormDocument, DamagedFormIsNotWrittenOver)
{
    const QByteArray LDamaged = "object FormMain: TFormMain\n  Tag = \nend\n";
    TFormOnDisk LDisk(LDamaged);
    EXPECT_THROW(ide::TFormDocument::Open(LDisk.Form), ide::EFormError);
    EXPECT_EQ(testdata::ReadAll(LDisk.Form), LDamaged);
}

TEST_F(FormDocument, SaveRefusesASymbolicLink)
{
    TFormOnDisk LDisk(DemoForm);
    const QString LTarget = LDisk.Dir.path() + "/Real.xfm";
    ASSERT_TRUE(QFile::rename(LDisk.Form, LTarget));
    ASSERT_TRUE(QFile::link(LTarget, LDisk.Form));
    auto LDocument = ide::TFormDocument::Open(LDisk.Form);
    qobject_cast<formtest::TWidget*>(LDocument->FindComponent("Button1"))->Text = "Stop";
    EXPECT_THROW(LDocument->Save(), ide::EFormError);
    EXPECT_EQ(testdata::ReadAll(LTarget), DemoForm);
}

TEST_F(FormDocument, FormClassWithoutARegisteredAncestorIsAnError)
{
    TFormOnDisk LDisk("object FormMain: TFormMain\nend\n");
    QFile::remove(LDisk.Dir.path() + "/Main.pas");
    EXPECT_THROW(ide::TFormDocument::Open(LDisk.Form), std::runtime_error);
}

} // namespace

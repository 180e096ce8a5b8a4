#include "DesignIdeTestUtil.h"
#include "ToolsAPI.Conditions.h"
#include "ToolsAPI.h"

using namespace designide_test;

namespace {

struct TConditionCase
{
    std::string Name;
    QString Condition;
    int Expected; // 0 false, 1 true, -1 not understood
};

class ConditionEvaluation : public ::testing::TestWithParam<TConditionCase>
{
};

TEST_P(ConditionEvaluation, AnswersAsMsBuild)
{
    ide::tools::TPropertyBag Bag;
    Bag.SetGlobal("Config", "Debug");
    Bag.SetGlobal("Platform", "Android64");
    Bag.Set("Base", "true");
    if (GetParam().Expected < 0)
        EXPECT_THROW(ide::tools::EvaluateCondition(GetParam().Condition, Bag), std::invalid_argument);
    else
        EXPECT_EQ(ide::tools::EvaluateCondition(GetParam().Condition, Bag), GetParam().Expected == 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConditionEvaluation,
    ::testing::Values(TConditionCase{"Equal", "'$(Config)'=='Debug'", 1},
                      TConditionCase{"ComparedWithoutCase", "'$(config)' == 'DEBUG'", 1},
                      TConditionCase{"NotEqual", "'$(Config)'!='Debug'", 0},
                      TConditionCase{"UnknownReferenceIsEmpty", "'$(Cfg_2)'==''", 1},
                      TConditionCase{"And", "'$(Base)'!='' and '$(Platform)'=='Win32'", 0},
                      TConditionCase{"OrInUpperCase", "'$(Platform)'=='Win32' OR '$(Platform)'=='Android64'", 1},
                      TConditionCase{"AndBindsFirst", "'a'=='a' or 'a'=='b' and 'x'=='y'", 1},
                      TConditionCase{"Parentheses", "('a'=='a' or 'a'=='b') and 'x'=='y'", 0},
                      TConditionCase{"TrueFalse", "True and ('$(Base)'==true)", 1},
                      TConditionCase{"Exists", "Exists('$(BDS)\\Bin\\CodeGear.Delphi.Targets')", -1},
                      TConditionCase{"HasTrailingSlash", "HasTrailingSlash('$(Out)')", -1},
                      TConditionCase{"UnterminatedQuote", "'$(Config)'=='Debug", -1},
                      TConditionCase{"TrailingText", "'a'=='a' 'b'", -1}),
    testdata::TCaseName());

TEST(ProjectConditions, UnreadableGroupIsSkippedAndReportedOnce)
{
    QTemporaryDir Dir;
    const QString File = Dir.path() + "/P.dproj";
    WriteBytes(File, Crlf({"<Project>", "    <PropertyGroup><Key>good</Key></PropertyGroup>",
                           "    <PropertyGroup Condition=\"Exists('x.props')\"><Key>bad</Key></PropertyGroup>",
                           "    <ItemGroup><BuildConfiguration Include=\"Base\"/></ItemGroup>", "</Project>"}));
    QStringList Messages;
    auto& Manager = ide::TMessageManager::DefaultManager();
    const int Id = Manager.SubscribeToMessage<ide::TOTATitleMessage>(
        [&](const void*, const ide::TOTATitleMessage& AMessage) { Messages << AMessage.Value(); });
    const auto Base = ide::TDprojProject::Open(File)->ProjectOptionsConfigurations()->BaseConfiguration();
    EXPECT_EQ(Base->GetValue("Key"), QStringLiteral("good"));
    EXPECT_EQ(Base->GetValue("Key"), QStringLiteral("good"));
    Manager.Unsubscribe<ide::TOTATitleMessage>(Id);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains("Exists() is not supported")) << Messages[0].toStdString();
}

} // namespace

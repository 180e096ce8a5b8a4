#include "DesignIdeTestUtil.h"
#include "Xml.Lossless.h"

#include <functional>

using ide::xml::EXmlError;
using ide::xml::TXmlDocument;
using ide::xml::TXmlElement;
using namespace designide_test;

namespace {

std::unique_ptr<TXmlDocument> ParseText(const QByteArray& AText)
{
    return TXmlDocument::Parse(AText, QStringLiteral("test.xml"));
}

// ---------------------------------------------------------------------------------------
// Edits are written in the IDE's layout and leave everything else alone.

struct TEditCase
{
    std::string Name;
    QByteArray Input;
    std::function<void(TXmlElement*)> Edit;
    QByteArray Expected;
};

class XmlEditLayout : public ::testing::TestWithParam<TEditCase>
{
};

TEST_P(XmlEditLayout, WritesExpectedBytes)
{
    const auto Doc = ParseText(GetParam().Input);
    GetParam().Edit(Doc->Root());
    EXPECT_EQ(Doc->Serialize().toStdString(), GetParam().Expected.toStdString());
    // What we write must read back to the same bytes.
    EXPECT_EQ(ParseText(Doc->Serialize())->Serialize(), Doc->Serialize());
}

const TEditCase EditCases[] = {
    {"AppendAfterLastChild", "<R>\r\n    <A/>\r\n</R>", [](TXmlElement* R) { R->AppendElement("B"); },
     "<R>\r\n    <A/>\r\n    <B/>\r\n</R>"},
    {"AppendIntoEmptyElement", "\xEF\xBB\xBF<R>\r\n    <A/>\r\n</R>\r\n",
     [](TXmlElement* R) { R->FirstElement("A")->AppendElement("C")->SetText("x"); },
     "\xEF\xBB\xBF<R>\r\n    <A>\r\n        <C>x</C>\r\n    </A>\r\n</R>\r\n"},
    {"InsertBeforeSibling", "<R>\r\n    <A/>\r\n    <C/>\r\n</R>",
     [](TXmlElement* R) { R->InsertElementBefore(R->FirstElement("C"), "B"); },
     "<R>\r\n    <A/>\r\n    <B/>\r\n    <C/>\r\n</R>"},
    {"RemoveMiddleLeavesNoBlankLine", "<R>\r\n    <A/>\r\n    <B>t</B>\r\n    <C/>\r\n</R>",
     [](TXmlElement* R) { R->RemoveElement(R->FirstElement("B")); }, "<R>\r\n    <A/>\r\n    <C/>\r\n</R>"},
    {"RemoveOnlyChildEmptiesParent", "<R>\r\n    <A x=\"1\">\r\n        <C/>\r\n    </A>\r\n</R>",
     [](TXmlElement* R) {
         TXmlElement* A = R->FirstElement("A");
         A->RemoveElement(A->FirstElement("C"));
     },
     "<R>\r\n    <A x=\"1\"/>\r\n</R>"},
    {"TextIsEscapedLikeTheIde", "<R>\r\n    <A/>\r\n</R>",
     [](TXmlElement* R) { R->FirstElement("A")->SetText("Apple's \"x\" & <y>"); },
     "<R>\r\n    <A>Apple&apos;s &quot;x&quot; &amp; &lt;y&gt;</A>\r\n</R>"},
    {"AttributesKeepApostrophes", "<R/>",
     [](TXmlElement* R) { R->SetAttribute("Condition", "'$(Config)'=='' & \"q\""); },
     "<R Condition=\"'$(Config)'=='' &amp; &quot;q&quot;\"/>"},
    {"SiblingIndentAndLineFeedsAreMatched", "<R>\n  <A/>\n</R>\n", [](TXmlElement* R) { R->AppendElement("B"); },
     "<R>\n  <A/>\n  <B/>\n</R>\n"},
    {"UntouchedTagsKeepTheirSpelling", "<R  a = 'x' >\r\n    <A  b='1' ></A >\r\n</R >",
     [](TXmlElement* R) { R->AppendElement("B"); }, "<R  a = 'x' >\r\n    <A  b='1' ></A >\r\n    <B/>\r\n</R >"},
    {"ChangedAttributeRewritesOnlyThatTag", "<R  a = 'x' >\r\n    <A  b='1' />\r\n</R >",
     [](TXmlElement* R) { R->FirstElement("A")->SetAttribute("b", "2"); },
     "<R  a = 'x' >\r\n    <A b=\"2\"/>\r\n</R >"},
    {"CommentsAndDeclarationSurvive",
     "<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n<R>\r\n    <!-- keep -->\r\n    <A/>\r\n</R>",
     [](TXmlElement* R) { R->RemoveElement(R->FirstElement("A")); },
     "<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n<R>\r\n    <!-- keep -->\r\n</R>"},
};

INSTANTIATE_TEST_SUITE_P(Cases, XmlEditLayout, ::testing::ValuesIn(EditCases), testdata::TCaseName());

TEST(XmlValues, EntitiesAreDecodedOnRead)
{
    const auto Doc =
        ParseText("<R a=\"&quot;x&quot; &amp; 'y'\">x &amp; y &apos;z&apos; &#65;&#x42;&lt;<![CDATA[<raw>]]></R>");
    EXPECT_EQ(Doc->Root()->Text(), QStringLiteral("x & y 'z' AB<<raw>"));
    EXPECT_EQ(Doc->Root()->Attribute("a"), QStringLiteral("\"x\" & 'y'"));
}

// ---------------------------------------------------------------------------------------

struct TBadInput
{
    std::string Name;
    QByteArray Data;
    int Line; // 0: any position
};

class XmlBadInput : public ::testing::TestWithParam<TBadInput>
{
};

TEST_P(XmlBadInput, ThrowsErrorNamingFileAndLine)
{
    try {
        TXmlDocument::Parse(GetParam().Data, QStringLiteral("/some/where/Broken.dproj"));
        FAIL() << "no error";
    } catch (const EXmlError& E) {
        EXPECT_EQ(E.FileName(), QStringLiteral("/some/where/Broken.dproj"));
        EXPECT_NE(std::string(E.what()).find("/some/where/Broken.dproj:"), std::string::npos) << E.what();
        EXPECT_GT(E.Line(), 0);
        if (GetParam().Line > 0) {
            EXPECT_EQ(E.Line(), GetParam().Line) << E.what();
        }
    }
}

const TBadInput BadInputs[] = {
    {"Empty", "", 0},
    {"Truncated", "<Project>\r\n    <PropertyGroup>\r\n        <A>x</A>\r\n", 0},
    {"MismatchedEndTag", "<Project>\r\n    <A>\r\n    </B>\r\n</Project>", 3},
    {"UnquotedAttribute", "<Project>\r\n    <A x=1/>\r\n</Project>", 2},
    {"TwoRoots", "<A/>\r\n<B/>", 0},
    {"TextAfterRoot", "<A/>\r\ntext", 0},
    {"Garbage", "\x01\x02\xFF<<>>&", 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, XmlBadInput, ::testing::ValuesIn(BadInputs), testdata::TCaseName());

TEST(XmlBadInput, DeepNestingIsRefusedNotOverflowed)
{
    QByteArray Data;
    for (int I = 0; I < 100000; ++I)
        Data += "<a>";
    for (int I = 0; I < 100000; ++I)
        Data += "</a>";
    EXPECT_THROW(ParseText(Data), EXmlError);
}

} // namespace

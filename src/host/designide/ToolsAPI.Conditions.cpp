#include "ToolsAPI.Conditions.h"

#include "ToolsAPI.Project.h"
#include "Xml.Lossless.h"

#include <QRegularExpression>
#include <stdexcept>

namespace ide::tools {

using xml::TXmlElement;

namespace {

class TConditionParser
{
public:
    TConditionParser(const QString& AText, const TPropertyBag& ABag) : FText(AText), FBag(ABag) {}

    bool Evaluate()
    {
        const bool Result = ParseOr();
        SkipSpaces();
        if (FPos != FText.size())
            throw std::invalid_argument("trailing text");
        return Result;
    }

private:
    void SkipSpaces()
    {
        while (FPos < FText.size() && FText[FPos].isSpace())
            ++FPos;
    }
    bool TakeWord(const char* AWord)
    {
        SkipSpaces();
        const QString Word = QString::fromLatin1(AWord);
        if (QStringView(FText).mid(FPos, Word.size()).compare(Word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype After = FPos + Word.size();
        if (After < FText.size() && (FText[After].isLetterOrNumber() || FText[After] == QLatin1Char('_')))
            return false;
        FPos = After;
        return true;
    }
    bool TakeSymbol(const char* ASymbol)
    {
        SkipSpaces();
        const QString Symbol = QString::fromLatin1(ASymbol);
        if (!QStringView(FText).mid(FPos).startsWith(Symbol))
            return false;
        FPos += Symbol.size();
        return true;
    }
    bool ParseOr()
    {
        bool Result = ParseAnd();
        while (TakeWord("or"))
            Result = ParseAnd() || Result;
        return Result;
    }
    bool ParseAnd()
    {
        bool Result = ParsePrimary();
        while (TakeWord("and"))
            Result = ParsePrimary() && Result;
        return Result;
    }
    bool ParsePrimary()
    {
        if (TakeSymbol("(")) {
            // Real conditions nest two or three levels; a deeper one is damage, not MSBuild.
            if (++FDepth > 32)
                throw std::invalid_argument("too deeply nested");
            const bool Result = ParseOr();
            --FDepth;
            if (!TakeSymbol(")"))
                throw std::invalid_argument("missing )");
            return Result;
        }
        const QString Left = ParseOperand();
        if (TakeSymbol("=="))
            return SameText(Left, ParseOperand());
        if (TakeSymbol("!="))
            return !SameText(Left, ParseOperand());
        if (SameText(Left, QStringLiteral("true")))
            return true;
        if (SameText(Left, QStringLiteral("false")))
            return false;
        throw std::invalid_argument("unsupported condition");
    }
    QString ParseOperand()
    {
        SkipSpaces();
        if (FPos < FText.size() && FText[FPos] == QLatin1Char('\'')) {
            const qsizetype End = FText.indexOf(QLatin1Char('\''), FPos + 1);
            if (End < 0)
                throw std::invalid_argument("unterminated string");
            const QString Raw = FText.mid(FPos + 1, End - FPos - 1);
            FPos = End + 1;
            return FBag.Expand(Raw, false);
        }
        const qsizetype Begin = FPos;
        while (FPos < FText.size() && (FText[FPos].isLetterOrNumber() || FText[FPos] == QLatin1Char('_')))
            ++FPos;
        if (FPos == Begin)
            throw std::invalid_argument("expected an operand");
        const QString Word = FText.mid(Begin, FPos - Begin);
        // Exists(...), HasTrailingSlash(...) and the like need the file system or more of
        // MSBuild than the IDE's own conditions use.
        if (TakeSymbol("("))
            throw std::invalid_argument(QStringLiteral("the function %1() is not supported").arg(Word).toStdString());
        return Word;
    }

    const QString& FText;
    const TPropertyBag& FBag;
    qsizetype FPos = 0;
    int FDepth = 0;
};

} // namespace

bool EvaluateCondition(const QString& ACondition, const TPropertyBag& ABag)
{
    return TConditionParser(ACondition, ABag).Evaluate();
}

bool ConditionHolds(const TXmlElement* AElement, const TPropertyBag& ABag, const TConditionErrorHandler& AOnError)
{
    if (!AElement->HasAttribute(QStringLiteral("Condition")))
        return true;
    const QString Condition = AElement->Attribute(QStringLiteral("Condition"));
    try {
        return EvaluateCondition(Condition, ABag);
    } catch (const std::invalid_argument& E) {
        if (AOnError)
            AOnError(Condition, QString::fromStdString(E.what()));
        return false;
    }
}

// "'$(Cfg_1_Android)'!=''" names the group that belongs to Cfg_1_Android.
QString GroupKey(const TXmlElement* AGroup)
{
    static const QRegularExpression Pattern(QStringLiteral(R"(^\s*'\$\(([A-Za-z0-9_]+)\)'\s*!=\s*''\s*$)"));
    const auto Match = Pattern.match(AGroup->Attribute(QStringLiteral("Condition")));
    return Match.hasMatch() ? Match.captured(1) : QString();
}

} // namespace ide::tools

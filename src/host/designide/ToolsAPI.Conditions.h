#pragma once

// Evaluation of the MSBuild conditions on a project's property groups and properties.

#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <functional>
#include <map>
#include <optional>

namespace ide::xml {
class TXmlElement;
}

namespace ide::tools {

// Property values as MSBuild sees them while it reads a project, file order.
class TPropertyBag
{
public:
    void SetGlobal(const QString& AName, const QString& AValue)
    {
        FValues[AName.toUpper()] = AValue;
        FGlobals.insert(AName.toUpper());
    }
    void Set(const QString& AName, const QString& AValue)
    {
        if (!FGlobals.contains(AName.toUpper()))
            FValues[AName.toUpper()] = AValue;
    }
    std::optional<QString> Get(const QString& AName) const
    {
        const auto It = FValues.find(AName.toUpper());
        if (It == FValues.end())
            return std::nullopt;
        return It->second;
    }
    // Unknown references expand to nothing in conditions and stay as written in values.
    QString Expand(const QString& AText, bool AKeepUnknown) const
    {
        static const QRegularExpression Reference(QStringLiteral(R"(\$\(([A-Za-z_][A-Za-z0-9_]*)\))"));
        QString Result;
        qsizetype Last = 0;
        auto It = Reference.globalMatch(AText);
        while (It.hasNext()) {
            const auto Match = It.next();
            Result += AText.mid(Last, Match.capturedStart() - Last);
            const auto Value = Get(Match.captured(1));
            Result += Value ? *Value : (AKeepUnknown ? Match.captured(0) : QString());
            Last = Match.capturedEnd();
        }
        Result += AText.mid(Last);
        return Result;
    }

private:
    std::map<QString, QString> FValues;
    QSet<QString> FGlobals;
};

// Quoted operands with $(Name) references, == and != (without regard to case), and/or
// (and first), parentheses, true and false. Throws std::invalid_argument saying what it
// cannot read, such as a function call.
bool EvaluateCondition(const QString& ACondition, const TPropertyBag& ABag);

using TConditionErrorHandler = std::function<void(const QString& ACondition, const QString& AReason)>;
// True when the element has no condition or its condition holds. A condition that cannot
// be read is false, as a group we cannot read must not override the ones we can; AOnError
// hears of it.
bool ConditionHolds(const xml::TXmlElement* AElement, const TPropertyBag& ABag,
                    const TConditionErrorHandler& AOnError = {});
// "'$(Cfg_1_Android)'!=''" names the group that belongs to Cfg_1_Android; empty otherwise.
QString GroupKey(const xml::TXmlElement* AGroup);

} // namespace ide::tools

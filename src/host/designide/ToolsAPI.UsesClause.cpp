#include "ToolsAPI.UsesClause.h"

#include "ToolsAPI.Project.h"

namespace ide::tools {

TUsesClause ScanUsesClause(const QByteArray& ASource)
{
    TUsesClause Result;
    enum class TState
    {
        Header,
        HeaderName,
        Uses,
        UnitName,
        UnitTail
    } State = TState::Header;
    qsizetype I = 0;
    const qsizetype N = ASource.size();
    auto IsIdentStart = [](char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; };
    auto IsIdentChar = [](char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_' || C == '.'; };
    while (I < N) {
        const char C = ASource[I];
        if (C == '{') {
            const qsizetype End = ASource.indexOf('}', I + 1);
            I = End < 0 ? N : End + 1;
        } else if (C == '(' && I + 1 < N && ASource[I + 1] == '*') {
            const qsizetype End = ASource.indexOf("*)", I + 2);
            I = End < 0 ? N : End + 2;
        } else if (C == '/' && I + 1 < N && ASource[I + 1] == '/') {
            const qsizetype End = ASource.indexOf('\n', I);
            I = End < 0 ? N : End + 1;
        } else if (C == '\'') {
            const qsizetype End = ASource.indexOf('\'', I + 1);
            I = End < 0 ? N : End + 1;
        } else if (IsIdentStart(C)) {
            const qsizetype Begin = I;
            while (I < N && IsIdentChar(ASource[I]))
                ++I;
            const QString Word = QString::fromLatin1(ASource.mid(Begin, I - Begin));
            switch (State) {
            case TState::Header:
                if (SameText(Word, QStringLiteral("program")) || SameText(Word, QStringLiteral("library")) ||
                    SameText(Word, QStringLiteral("package")) || SameText(Word, QStringLiteral("unit")))
                    State = TState::HeaderName;
                else
                    return Result;
                break;
            case TState::HeaderName:
                break;
            case TState::Uses:
                // A unit's clause follows its interface keyword.
                if (SameText(Word, QStringLiteral("interface")))
                    break;
                if (!SameText(Word, QStringLiteral("uses")))
                    return Result;
                Result.Found = true;
                State = TState::UnitName;
                break;
            case TState::UnitName:
                Result.Units << Word;
                State = TState::UnitTail;
                break;
            case TState::UnitTail:
                break;
            }
        } else if (C == ';') {
            if (State == TState::HeaderName) {
                Result.HeaderEnd = I + 1;
                State = TState::Uses;
            } else if (State == TState::UnitName || State == TState::UnitTail) {
                Result.Terminator = I;
                return Result;
            }
            ++I;
        } else if (C == ',') {
            if (State == TState::UnitTail)
                State = TState::UnitName;
            ++I;
        } else {
            ++I;
        }
    }
    return Result;
}

} // namespace ide::tools

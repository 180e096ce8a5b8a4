#include "DesignUnitSource.h"

#include <QRegularExpression>

namespace ide::tools {

namespace {

// The source with comments and string literals blanked out (same length, line breaks kept),
// so that searches see only code.
QByteArray CodeOnly(const QByteArray& ASource)
{
    QByteArray LCode = ASource;
    const qsizetype N = LCode.size();
    const auto Blank = [&](qsizetype AFrom, qsizetype ATo) {
        for (qsizetype I = AFrom; I < ATo && I < N; ++I)
            if (LCode[I] != '\n' && LCode[I] != '\r')
                LCode[I] = ' ';
    };
    for (qsizetype I = 0; I < N;) {
        const char C = ASource[I];
        qsizetype LEnd = -1;
        if (C == '{')
            LEnd = ASource.indexOf('}', I + 1);
        else if (C == '(' && I + 1 < N && ASource[I + 1] == '*')
            LEnd = ASource.indexOf("*)", I + 2) + 1;
        else if (C == '/' && I + 1 < N && ASource[I + 1] == '/')
            LEnd = ASource.indexOf('\n', I) - 1;
        else if (C == '\'')
            LEnd = ASource.indexOf('\'', I + 1);
        if (LEnd < 0 && (C == '{' || C == '\'' || (C == '(' && I + 1 < N && ASource[I + 1] == '*') ||
                         (C == '/' && I + 1 < N && ASource[I + 1] == '/')))
            LEnd = N - 1; // open to the end of the source
        if (LEnd >= I) {
            Blank(I, LEnd + 1);
            I = LEnd + 1;
        } else {
            ++I;
        }
    }
    return LCode;
}

qsizetype LineStart(const QByteArray& AText, qsizetype AOffset)
{
    const qsizetype LBreak = AText.lastIndexOf('\n', AOffset - 1);
    return LBreak < 0 ? 0 : LBreak + 1;
}

} // namespace

TFormClassSource ScanFormClass(const QByteArray& ASource, const QString& AClassName)
{
    TFormClassSource LResult;
    const QString LCode = QString::fromUtf8(CodeOnly(ASource));
    const QRegularExpression LHeader(
        QStringLiteral("\\b%1\\s*=\\s*class\\b").arg(QRegularExpression::escape(AClassName)),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch LClass = LHeader.match(LCode);
    if (!LClass.hasMatch())
        return LResult;
    const QRegularExpression LEnd(QStringLiteral("^\\s*end\\s*;"),
                                  QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    const QRegularExpressionMatch LClassEnd = LEnd.match(LCode, LClass.capturedEnd());
    const QRegularExpression LUnitEnd(QStringLiteral("^\\s*end\\s*\\."),
                                      QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    QRegularExpressionMatch LLast;
    for (auto It = LUnitEnd.globalMatch(LCode, LClass.capturedEnd()); It.hasNext();)
        LLast = It.next();
    if (!LClassEnd.hasMatch() || !LLast.hasMatch())
        return LResult;
    // Offsets of the UTF-16 text back to bytes of the source.
    const auto Bytes = [&](qsizetype AIndex) { return LCode.left(AIndex).toUtf8().size(); };
    LResult.Found = true;
    LResult.DeclarationEnd = LineStart(ASource, Bytes(LClassEnd.capturedStart()) + 1);
    // The designer's methods belong to the class's first, published part: before a visibility.
    const QRegularExpression LVisibility(
        QStringLiteral("^\\s*(?:strict\\s+)?(?:private|protected|public|published)\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    const QRegularExpressionMatch LSection = LVisibility.match(LCode, LClass.capturedEnd());
    if (LSection.hasMatch() && LSection.capturedStart() < LClassEnd.capturedStart())
        LResult.DeclarationEnd = LineStart(ASource, Bytes(LSection.capturedStart()) + 1);
    LResult.UnitEnd = LineStart(ASource, Bytes(LLast.capturedStart()) + 1);
    const QString LBody = LCode.mid(LClass.capturedEnd(), LClassEnd.capturedStart() - LClass.capturedEnd());
    const QRegularExpression LMethod(QStringLiteral("\\b(?:procedure|function)\\s+(\\w+)"),
                                     QRegularExpression::CaseInsensitiveOption);
    for (auto It = LMethod.globalMatch(LBody); It.hasNext();)
        LResult.Methods << It.next().captured(1);
    return LResult;
}

bool AddFormMethod(QByteArray& ASource, const QString& AClassName, const QString& AMethod, const QString& AParameters,
                   int* ABodyLine)
{
    const TFormClassSource LClass = ScanFormClass(ASource, AClassName);
    if (!LClass.Found || LClass.Methods.contains(AMethod, Qt::CaseInsensitive))
        return false;
    const QByteArray LBreak = ASource.contains("\r\n") ? "\r\n" : "\n";
    const QByteArray LSignature = (AMethod + QLatin1Char('(') + AParameters + QStringLiteral(");")).toUtf8();
    const QByteArray LDeclaration = "    procedure " + LSignature + LBreak;
    const QByteArray LBody = "procedure " + AClassName.toUtf8() + '.' + LSignature + LBreak + "begin" + LBreak +
                             LBreak + "end;" + LBreak + LBreak;
    // The body first: it lies after the declaration, whose offset it would move.
    ASource.insert(LClass.UnitEnd, LBody);
    ASource.insert(LClass.DeclarationEnd, LDeclaration);
    if (ABodyLine)
        *ABodyLine = int(ASource.left(LClass.UnitEnd + LDeclaration.size()).count('\n')) + 3;
    return true;
}

} // namespace ide::tools

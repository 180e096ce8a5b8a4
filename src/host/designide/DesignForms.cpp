#include "DesignForms.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace ide {

EFormError::EFormError(const QString& AFileName, int ALine, const QString& AMessage)
    : std::runtime_error(QStringLiteral("File \"%1\", line %2: %3")
                             .arg(AFileName.isEmpty() ? QStringLiteral("(form)") : AFileName)
                             .arg(ALine)
                             .arg(AMessage)
                             .toStdString()),
      FFileName(AFileName), FLine(ALine)
{
}

// ---------------------------------------------------------------------------------------
// Values

TFormValue TFormValue::Integer(qint64 AValue) { return {TKind::Integer, QString::number(AValue), {}, {}}; }

TFormValue TFormValue::Float(double AValue)
{
    // The format writes floats with 18 decimals; 15 significant digits keep the double's
    // noise out of them.
    QString LText;
    if (std::isfinite(AValue) && std::fabs(AValue) < 1e15) {
        LText = QString::number(AValue, 'f',
                                std::max(0, 14 - int(std::floor(std::log10(std::max(1.0, std::fabs(AValue)))))));
        if (!LText.contains(QLatin1Char('.')))
            LText += QLatin1Char('.');
        const int LDecimals = int(LText.size() - LText.indexOf(QLatin1Char('.')) - 1);
        LText += QString(std::max(0, 18 - LDecimals), QLatin1Char('0'));
        if (LText.startsWith(QLatin1String("-0.")) && AValue == 0)
            LText.remove(0, 1);
    } else {
        LText = QString::number(AValue, 'E', 18);
    }
    return {TKind::Float, LText, {}, {}};
}

TFormValue TFormValue::String(const QString& AValue) { return {TKind::String, AValue, {}, {}}; }
TFormValue TFormValue::Ident(const QString& AValue) { return {TKind::Ident, AValue, {}, {}}; }

TFormValue TFormValue::Set(const QStringList& AMembers)
{
    TFormValue LValue{TKind::Set, {}, {}, {}};
    for (const auto& M : AMembers)
        LValue.Items.push_back(Ident(M));
    return LValue;
}

double TFormValue::ToDouble() const
{
    QString LText = Text;
    if (!LText.isEmpty() && QStringLiteral("scdu").contains(LText.back()))
        LText.chop(1);
    return LText.toDouble();
}

qint64 TFormValue::ToInteger() const
{
    if (Text.startsWith(QLatin1Char('$')))
        return Text.mid(1).toLongLong(nullptr, 16);
    if (Text.startsWith(QLatin1String("-$")))
        return -Text.mid(2).toLongLong(nullptr, 16);
    return Text.toLongLong();
}

QStringList TFormValue::SetMembers() const
{
    if (Kind != TKind::Set)
        return {Text};
    QStringList LMembers;
    for (const auto& I : Items)
        LMembers.append(I.Text);
    return LMembers;
}

bool operator==(const TFormProperty& A, const TFormProperty& B)
{
    return A.Name.compare(B.Name, Qt::CaseInsensitive) == 0 && A.Value == B.Value;
}

bool operator==(const TFormValue& A, const TFormValue& B)
{
    return A.Kind == B.Kind && A.Text == B.Text && A.Items == B.Items && A.Collection == B.Collection;
}

namespace {

const int MaxStringLine = 64;

QByteArray Spaces(int ACount) { return QByteArray(ACount, ' '); }

// Printable ASCII in quotes, everything else as #nnn, as the IDE writes strings.
QByteArrayList StringTokens(const QString& AText)
{
    QByteArrayList LTokens;
    QByteArray LQuoted;
    auto Flush = [&] {
        if (!LQuoted.isEmpty())
            LTokens.append('\'' + LQuoted + '\'');
        LQuoted.clear();
    };
    for (const QChar C : AText) {
        const ushort U = C.unicode();
        if (U >= 32 && U < 127) {
            LQuoted += char(U);
            if (U == '\'')
                LQuoted += '\'';
            if (LQuoted.size() >= MaxStringLine)
                Flush();
        } else {
            Flush();
            LTokens.append('#' + QByteArray::number(U));
        }
    }
    Flush();
    if (LTokens.isEmpty())
        LTokens.append("''");
    return LTokens;
}

} // namespace

QByteArray TFormValue::Spelling(int AIndent, const QByteArray& ALineBreak) const
{
    const QByteArray LInner = ALineBreak + Spaces(AIndent + 2);
    switch (Kind) {
    case TKind::Integer:
    case TKind::Float:
    case TKind::Ident:
        return Text.toUtf8();
    case TKind::String: {
        // Short strings stay on the property's line; long ones go below it in pieces.
        const QByteArrayList LTokens = StringTokens(Text);
        QByteArrayList LLines{QByteArray()};
        for (const auto& T : LTokens) {
            if (!LLines.back().isEmpty() && LLines.back().size() + T.size() > MaxStringLine)
                LLines.append(QByteArray());
            LLines.back() += T;
        }
        if (LLines.size() == 1)
            return LLines.front();
        return LInner + LLines.join(" +" + LInner);
    }
    case TKind::Set: {
        QByteArrayList LMembers;
        for (const auto& I : Items)
            LMembers.append(I.Text.toUtf8());
        return '[' + LMembers.join(", ") + ']';
    }
    case TKind::List: {
        QByteArray LText = "(";
        for (const auto& I : Items)
            LText += LInner + I.Spelling(AIndent + 2, ALineBreak);
        return LText + ')';
    }
    case TKind::Collection: {
        QByteArray LText = "<";
        for (const auto& LItem : Collection) {
            LText += LInner + "item";
            for (const auto& P : LItem)
                LText += LInner + "  " + P.Name.toUtf8() + " = " + P.Value.Spelling(AIndent + 4, ALineBreak);
            LText += LInner + "end";
        }
        return LText + '>';
    }
    case TKind::Binary: {
        QByteArray LText = "{";
        const QByteArray LHex = Text.toLatin1();
        for (qsizetype I = 0; I < LHex.size(); I += 64)
            LText += LInner + LHex.mid(I, 64);
        return LText + '}';
    }
    }
    return {};
}

// ---------------------------------------------------------------------------------------
// Reading

namespace {

bool IsIdentStart(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; }
bool IsIdentChar(char C) { return IsIdentStart(C) || (C >= '0' && C <= '9'); }

class TFormParser
{
public:
    TFormParser(const QByteArray& AData, const QString& AFileName) : D(AData), FFileName(AFileName)
    {
        FLineStarts.push_back(0);
        for (qsizetype I = 0; I < D.size(); ++I)
            if (D[I] == '\n')
                FLineStarts.push_back(I + 1);
    }

    [[noreturn]] void Fail(const QString& AMessage) const { Fail(P, AMessage); }
    [[noreturn]] void Fail(qsizetype APos, const QString& AMessage) const
    {
        throw EFormError(FFileName, LineAt(APos), AMessage);
    }

    int LineAt(qsizetype APos) const
    {
        return int(std::upper_bound(FLineStarts.begin(), FLineStarts.end(), APos) - FLineStarts.begin());
    }

    char Peek(qsizetype AOffset = 0) const { return P + AOffset < D.size() ? D[P + AOffset] : '\0'; }
    bool AtEnd() const { return P >= D.size(); }
    bool AtLineEnd() const { return AtEnd() || Peek() == '\r' || Peek() == '\n'; }

    void SkipSpaces()
    {
        while (Peek() == ' ' || Peek() == '\t')
            ++P;
    }
    void SkipWhite()
    {
        while (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')
            ++P;
    }

    void EndLine()
    {
        SkipSpaces();
        if (!AtLineEnd())
            Fail(QStringLiteral("unexpected \"%1\" at the end of the line").arg(QChar::fromLatin1(Peek())));
        if (Peek() == '\r')
            ++P;
        if (Peek() == '\n')
            ++P;
    }

    QString Ident()
    {
        const qsizetype LStart = P;
        if (!IsIdentStart(Peek()))
            return {};
        while (IsIdentChar(Peek()))
            ++P;
        return QString::fromLatin1(D.mid(LStart, P - LStart));
    }

    QString DottedIdent()
    {
        QString LName = Ident();
        while (!LName.isEmpty() && Peek() == '.' && IsIdentStart(Peek(1))) {
            ++P;
            LName += QLatin1Char('.') + Ident();
        }
        return LName;
    }

    // The word at the start of the current line, without moving.
    QString PeekWord()
    {
        const qsizetype LSave = P;
        SkipSpaces();
        const QString LWord = Ident();
        const bool LWordEnds = AtLineEnd() || Peek() == ' ' || Peek() == '\t';
        P = LSave;
        return LWordEnds ? LWord.toLower() : QString();
    }

    bool BlankLine() const
    {
        for (qsizetype I = P; I < D.size() && D[I] != '\n'; ++I)
            if (D[I] != ' ' && D[I] != '\t' && D[I] != '\r')
                return false;
        return true;
    }

    void Index()
    {
        SkipSpaces();
        if (Peek() != '[')
            return;
        ++P;
        while (Peek() >= '0' && Peek() <= '9')
            ++P;
        if (Peek() != ']')
            Fail(QStringLiteral("expected \"]\" after the object's index"));
        ++P;
    }

    std::unique_ptr<TFormObject> Object()
    {
        const qsizetype LStart = P;
        auto LObject = std::make_unique<TFormObject>();
        LObject->Line = LineAt(P);
        SkipSpaces();
        LObject->Indent = int(P - LStart);
        const QString LWord = Ident().toLower();
        if (LWord == QLatin1String("object"))
            LObject->Kind = TFormObject::TKind::Object;
        else if (LWord == QLatin1String("inherited"))
            LObject->Kind = TFormObject::TKind::Inherited;
        else if (LWord == QLatin1String("inline"))
            LObject->Kind = TFormObject::TKind::Inline;
        else
            Fail(LStart, QStringLiteral("expected \"object\", \"inherited\" or \"inline\""));
        SkipSpaces();
        QString LFirst = Ident();
        if (LFirst.isEmpty())
            Fail(QStringLiteral("expected the object's name or class"));
        SkipSpaces();
        if (Peek() == ':') {
            ++P;
            SkipSpaces();
            LObject->Name = LFirst;
            LObject->ClassName = DottedIdent();
            if (LObject->ClassName.isEmpty())
                Fail(QStringLiteral("expected the class of \"%1\"").arg(LFirst));
        } else {
            LObject->ClassName = LFirst;
        }
        Index();
        EndLine();
        LObject->HeaderRaw = D.mid(LStart, P - LStart);

        for (;;) {
            if (AtEnd())
                Fail(P - 1, QStringLiteral("\"end\" of \"%1\" is missing")
                                .arg(LObject->Name.isEmpty() ? LObject->ClassName : LObject->Name));
            const qsizetype LLineStart = P;
            TFormObject::TItem LItem;
            LItem.Line = LineAt(P);
            if (BlankLine()) {
                while (!AtEnd() && Peek() != '\n')
                    ++P;
                if (!AtEnd())
                    ++P;
                LItem.Blank = true;
                LItem.Raw = D.mid(LLineStart, P - LLineStart);
                LObject->Items.push_back(std::move(LItem));
                continue;
            }
            const QString LWord = PeekWord();
            if (LWord == QLatin1String("end")) {
                SkipSpaces();
                Ident();
                EndLine();
                LObject->EndRaw = D.mid(LLineStart, P - LLineStart);
                return LObject;
            }
            if (LWord == QLatin1String("object") || LWord == QLatin1String("inherited") ||
                LWord == QLatin1String("inline")) {
                LItem.Entry = Object();
            } else {
                LItem.Entry = Property();
                EndLine();
                LItem.Raw = D.mid(LLineStart, P - LLineStart);
            }
            LObject->Items.push_back(std::move(LItem));
        }
    }

    TFormProperty Property()
    {
        SkipSpaces();
        TFormProperty LProperty;
        LProperty.Name = DottedIdent();
        if (LProperty.Name.isEmpty())
            Fail(QStringLiteral("expected a property name, \"object\" or \"end\""));
        SkipSpaces();
        if (Peek() != '=')
            Fail(QStringLiteral("expected \"=\" after \"%1\"").arg(LProperty.Name));
        ++P;
        SkipSpaces();
        // Long strings and lists may start on the next line.
        if (AtLineEnd())
            SkipWhite();
        LProperty.Value = Value();
        return LProperty;
    }

    TFormValue Value()
    {
        if (AtEnd())
            Fail(QStringLiteral("a value is missing"));
        const char C = Peek();
        if (C == '\'' || C == '#')
            return String();
        if (C == '[')
            return Set();
        if (C == '(')
            return List();
        if (C == '<')
            return Collection();
        if (C == '{')
            return Binary();
        if ((C >= '0' && C <= '9') || C == '-' || C == '+' || C == '$' || C == '.')
            return Number();
        if (IsIdentStart(C))
            return TFormValue::Ident(DottedIdent());
        Fail(QStringLiteral("unexpected \"%1\" where a value was expected").arg(QChar::fromLatin1(C)));
    }

    TFormValue String()
    {
        QString LText;
        for (;;) {
            if (Peek() == '\'') {
                ++P;
                QByteArray LBytes;
                for (;;) {
                    if (AtLineEnd())
                        Fail(QStringLiteral("the string is not closed on its line"));
                    if (Peek() == '\'') {
                        if (Peek(1) != '\'')
                            break;
                        ++P;
                    }
                    LBytes += Peek();
                    ++P;
                }
                ++P;
                LText += QString::fromUtf8(LBytes);
            } else if (Peek() == '#') {
                ++P;
                const qsizetype LStart = P;
                const bool LHex = Peek() == '$';
                if (LHex)
                    ++P;
                while ((Peek() >= '0' && Peek() <= '9') ||
                       (LHex && ((Peek() >= 'a' && Peek() <= 'f') || (Peek() >= 'A' && Peek() <= 'F'))))
                    ++P;
                bool LOk = false;
                const uint LCode =
                    LHex ? D.mid(LStart + 1, P - LStart - 1).toUInt(&LOk, 16) : D.mid(LStart, P - LStart).toUInt(&LOk);
                if (!LOk || LCode > 0xFFFF)
                    Fail(QStringLiteral("bad character code in a string"));
                LText += QChar(char16_t(LCode));
            } else {
                break;
            }
            const qsizetype LSave = P;
            SkipSpaces();
            if (Peek() == '+') {
                ++P;
                SkipWhite();
                if (Peek() != '\'' && Peek() != '#')
                    Fail(QStringLiteral("expected a string after \"+\""));
            } else {
                P = LSave;
            }
        }
        return TFormValue::String(LText);
    }

    TFormValue Set()
    {
        ++P;
        TFormValue LValue = TFormValue::Set({});
        for (;;) {
            SkipWhite();
            if (Peek() == ']') {
                ++P;
                return LValue;
            }
            if (!LValue.Items.empty()) {
                if (Peek() != ',')
                    Fail(QStringLiteral("expected \",\" or \"]\" in a set"));
                ++P;
                SkipWhite();
            }
            const QString LMember = DottedIdent();
            if (LMember.isEmpty())
                Fail(QStringLiteral("expected a set member"));
            LValue.Items.push_back(TFormValue::Ident(LMember));
        }
    }

    TFormValue List()
    {
        ++P;
        TFormValue LValue{TFormValue::TKind::List, {}, {}, {}};
        for (;;) {
            SkipWhite();
            if (Peek() == ')') {
                ++P;
                return LValue;
            }
            LValue.Items.push_back(Value());
        }
    }

    TFormValue Collection()
    {
        ++P;
        TFormValue LValue{TFormValue::TKind::Collection, {}, {}, {}};
        for (;;) {
            SkipWhite();
            if (Peek() == '>') {
                ++P;
                return LValue;
            }
            if (Ident().toLower() != QLatin1String("item"))
                Fail(QStringLiteral("expected \"item\" or \">\" in a collection"));
            Index();
            EndLine();
            std::vector<TFormProperty> LItem;
            for (;;) {
                SkipWhite();
                if (AtEnd())
                    Fail(P - 1, QStringLiteral("\"end\" of a collection item is missing"));
                const qsizetype LSave = P;
                if (Ident().toLower() == QLatin1String("end"))
                    break;
                P = LSave;
                LItem.push_back(Property());
                EndLine();
            }
            LValue.Collection.push_back(std::move(LItem));
        }
    }

    TFormValue Binary()
    {
        ++P;
        TFormValue LValue{TFormValue::TKind::Binary, {}, {}, {}};
        for (;;) {
            SkipWhite();
            if (AtEnd())
                Fail(QStringLiteral("binary data is not closed by \"}\""));
            const char C = Peek();
            if (C == '}') {
                ++P;
                return LValue;
            }
            if (!std::isxdigit(static_cast<unsigned char>(C)))
                Fail(QStringLiteral("bad character in binary data"));
            LValue.Text += QChar::fromLatin1(C);
            ++P;
        }
    }

    TFormValue Number()
    {
        const qsizetype LStart = P;
        if (Peek() == '-' || Peek() == '+')
            ++P;
        bool LHex = false;
        if (Peek() == '$') {
            LHex = true;
            ++P;
        }
        bool LFloat = false;
        while (!AtEnd()) {
            const char C = Peek();
            if ((C >= '0' && C <= '9') || (LHex && std::isxdigit(static_cast<unsigned char>(C)))) {
                ++P;
            } else if (!LHex && (C == '.' || C == 'E' || C == 'e')) {
                LFloat = true;
                ++P;
                if ((C == 'E' || C == 'e') && (Peek() == '-' || Peek() == '+'))
                    ++P;
            } else {
                break;
            }
        }
        // Currency, single, double and date floats carry a letter after the digits.
        if (!LHex && (Peek() == 's' || Peek() == 'c' || Peek() == 'd' || Peek() == 'u')) {
            LFloat = true;
            ++P;
        }
        TFormValue LValue{LFloat ? TFormValue::TKind::Float : TFormValue::TKind::Integer,
                          QString::fromLatin1(D.mid(LStart, P - LStart)),
                          {},
                          {}};
        bool LOk = false;
        if (LFloat) {
            QString LText = LValue.Text;
            if (!LText.back().isDigit() && LText.back() != QLatin1Char('.'))
                LText.chop(1);
            LText.toDouble(&LOk);
        } else if (LHex) {
            LOk = P - LStart > 1 + (D[LStart] == '-' || D[LStart] == '+');
        } else {
            LValue.Text.toLongLong(&LOk);
        }
        if (!LOk || IsIdentChar(Peek()))
            Fail(LStart, QStringLiteral("bad number \"%1\"").arg(LValue.Text));
        return LValue;
    }

    const QByteArray& D;
    QString FFileName;
    std::vector<qsizetype> FLineStarts;
    qsizetype P = 0;
};

} // namespace

TFormFile TFormFile::Parse(const QByteArray& AData, const QString& AFileName)
{
    TFormFile LFile;
    LFile.FFileName = AFileName;
    const qsizetype LFirstBreak = AData.indexOf('\n');
    LFile.FLineBreak = LFirstBreak > 0 && AData[LFirstBreak - 1] == '\r' ? "\r\n" : "\n";
    TFormParser LParser(AData, AFileName);
    if (AData.startsWith("\xEF\xBB\xBF"))
        LParser.P = 3;
    // Blank lines before the header and the byte order mark are kept as they are.
    while (!LParser.AtEnd() && LParser.BlankLine()) {
        const qsizetype LBreak = AData.indexOf('\n', LParser.P);
        LParser.P = LBreak < 0 ? AData.size() : LBreak + 1;
    }
    LFile.FLeading = AData.left(LParser.P);
    if (LParser.AtEnd())
        throw EFormError(AFileName, 1, QStringLiteral("the form is empty"));
    LFile.FRoot = LParser.Object();
    const qsizetype LTail = LParser.P;
    LParser.SkipWhite();
    if (!LParser.AtEnd())
        LParser.Fail(QStringLiteral("unexpected text after the form's last \"end\""));
    LFile.FTrailing = AData.mid(LTail);
    return LFile;
}

TFormFile TFormFile::Load(const QString& AFileName)
{
    QFile LFile(AFileName);
    if (!LFile.open(QIODevice::ReadOnly))
        throw EFormError(AFileName, 0, QStringLiteral("cannot read: %1").arg(LFile.errorString()));
    return Parse(LFile.readAll(), AFileName);
}

// ---------------------------------------------------------------------------------------
// Writing

namespace {

void WriteObject(const TFormObject& AObject, const QByteArray& ALineBreak, QByteArray& AOut)
{
    AOut += AObject.HeaderRaw;
    for (const auto& LItem : AObject.Items) {
        if (const auto* LChild = std::get_if<std::unique_ptr<TFormObject>>(&LItem.Entry)) {
            WriteObject(**LChild, ALineBreak, AOut);
        } else if (!LItem.Raw.isEmpty()) {
            AOut += LItem.Raw;
        } else {
            const auto& P = std::get<TFormProperty>(LItem.Entry);
            const int LIndent = AObject.Indent + 2;
            AOut += Spaces(LIndent) + P.Name.toUtf8() + " = " + P.Value.Spelling(LIndent, ALineBreak) + ALineBreak;
        }
    }
    AOut += AObject.EndRaw;
}

} // namespace

QByteArray TFormFile::Text() const
{
    QByteArray LOut = FLeading;
    if (FRoot)
        WriteObject(*FRoot, FLineBreak, LOut);
    return LOut + FTrailing;
}

void TFormFile::Save(const QString& AFileName) const
{
    if (QFileInfo(AFileName).isSymLink())
        throw EFormError(AFileName, 0, QStringLiteral("the form is a symbolic link; it is not written through"));
    QSaveFile LFile(AFileName);
    const QByteArray LData = Text();
    if (!LFile.open(QIODevice::WriteOnly) || LFile.write(LData) != LData.size() || !LFile.commit())
        throw EFormError(AFileName, 0, QStringLiteral("cannot write: %1").arg(LFile.errorString()));
}

TFormObject* TFormFile::FindObject(const QString& AName) const
{
    TFormObject* LFound = nullptr;
    if (FRoot)
        FRoot->ForEach([&](TFormObject& O) {
            if (!LFound && O.Name.compare(AName, Qt::CaseInsensitive) == 0)
                LFound = &O;
        });
    return LFound;
}

// ---------------------------------------------------------------------------------------

const TFormProperty* TFormObject::FindProperty(const QString& AName) const
{
    for (const auto& LItem : Items)
        if (const auto* P = std::get_if<TFormProperty>(&LItem.Entry))
            if (P->Name.compare(AName, Qt::CaseInsensitive) == 0)
                return P;
    return nullptr;
}

void TFormObject::SetProperty(const QString& AName, const TFormValue& AValue, const QByteArray& ALineBreak,
                              const std::function<int(const QString&)>& ARank)
{
    Q_UNUSED(ALineBreak);
    for (auto& LItem : Items)
        if (auto* P = std::get_if<TFormProperty>(&LItem.Entry);
            P && !LItem.Blank && P->Name.compare(AName, Qt::CaseInsensitive) == 0) {
            if (P->Value == AValue)
                return;
            P->Value = AValue;
            LItem.Raw.clear();
            return;
        }
    const int LRank = ARank ? ARank(AName) : -1;
    size_t LAt = 0;
    for (size_t I = 0; I < Items.size(); ++I) {
        const auto* P = std::get_if<TFormProperty>(&Items[I].Entry);
        if (!P || Items[I].Blank)
            continue;
        if (LRank >= 0 && ARank(P->Name) > LRank) {
            LAt = I;
            break;
        }
        LAt = I + 1;
    }
    TItem LItem;
    LItem.Entry = TFormProperty{AName, AValue};
    Items.insert(Items.begin() + std::ptrdiff_t(LAt), std::move(LItem));
}

void TFormObject::Rename(const QString& ANewName)
{
    if (Name.isEmpty() || ANewName == Name)
        return;
    // The name is the second word of the header: [indent] object Name: TClass
    const qsizetype LWord = HeaderRaw.indexOf(' ', Indent);
    const qsizetype LAt = HeaderRaw.indexOf(Name.toUtf8(), LWord);
    if (LWord < 0 || LAt < 0)
        return;
    HeaderRaw.replace(LAt, Name.toUtf8().size(), ANewName.toUtf8());
    Name = ANewName;
}

std::vector<const TFormProperty*> TFormObject::Properties() const
{
    std::vector<const TFormProperty*> LProperties;
    for (const auto& LItem : Items)
        if (const auto* P = std::get_if<TFormProperty>(&LItem.Entry); P && !LItem.Blank)
            LProperties.push_back(P);
    return LProperties;
}

std::vector<TFormObject*> TFormObject::Children() const
{
    std::vector<TFormObject*> LChildren;
    for (const auto& LItem : Items)
        if (const auto* C = std::get_if<std::unique_ptr<TFormObject>>(&LItem.Entry))
            LChildren.push_back(C->get());
    return LChildren;
}

void TFormObject::ForEach(const std::function<void(TFormObject&)>& AProc)
{
    AProc(*this);
    for (auto* C : Children())
        C->ForEach(AProc);
}

QString FormUnitFileName(const QString& AFormFileName)
{
    const QFileInfo LInfo(AFormFileName);
    return LInfo.path() + QLatin1Char('/') + LInfo.completeBaseName() + QStringLiteral(".pas");
}

QString FormAncestorClass(const QString& AUnitFileName, const QString& AFormClass)
{
    QFile LFile(AUnitFileName);
    if (AFormClass.isEmpty() || !LFile.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpression LDeclaration(
        QStringLiteral("\\b%1\\s*=\\s*class\\s*\\(\\s*([A-Za-z_][\\w.]*)").arg(QRegularExpression::escape(AFormClass)),
        QRegularExpression::CaseInsensitiveOption);
    const auto LMatch = LDeclaration.match(QString::fromUtf8(LFile.readAll()));
    if (!LMatch.hasMatch())
        return {};
    const QString LName = LMatch.captured(1);
    return LName.mid(LName.lastIndexOf(QLatin1Char('.')) + 1);
}

} // namespace ide

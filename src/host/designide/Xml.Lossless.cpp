#include "Xml.Lossless.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <pugixml.hpp>

namespace ide::xml {

namespace {

QString FormatError(const QString& AFileName, int ALine, int AColumn, const QString& AMessage)
{
    if (ALine > 0)
        return QStringLiteral("%1:%2:%3: %4").arg(AFileName).arg(ALine).arg(AColumn).arg(AMessage);
    return QStringLiteral("%1: %2").arg(AFileName, AMessage);
}

bool IsSpace(char AChar) { return AChar == ' ' || AChar == '\t' || AChar == '\r' || AChar == '\n'; }

bool IsNameChar(char AChar)
{
    const auto C = static_cast<unsigned char>(AChar);
    return C >= 0x80 || std::isalnum(C) || AChar == '_' || AChar == ':' || AChar == '.' || AChar == '-';
}

bool IsBlank(const std::string& AText) { return std::all_of(AText.begin(), AText.end(), IsSpace); }

void AppendUtf8(std::string& AOut, unsigned long ACode)
{
    if (ACode < 0x80) {
        AOut += static_cast<char>(ACode);
    } else if (ACode < 0x800) {
        AOut += static_cast<char>(0xC0 | (ACode >> 6));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    } else if (ACode < 0x10000) {
        AOut += static_cast<char>(0xE0 | (ACode >> 12));
        AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    } else {
        AOut += static_cast<char>(0xF0 | (ACode >> 18));
        AOut += static_cast<char>(0x80 | ((ACode >> 12) & 0x3F));
        AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
        AOut += static_cast<char>(0x80 | (ACode & 0x3F));
    }
}

// Deep nesting is no MSBuild file; refusing it keeps recursion in writing and freeing bounded.
constexpr int MaxDepth = 256;

} // namespace

EXmlError::EXmlError(const QString& AFileName, int ALine, int AColumn, const QString& AMessage)
    : std::runtime_error(FormatError(AFileName, ALine, AColumn, AMessage).toStdString()), FFileName(AFileName),
      FLine(ALine), FColumn(AColumn)
{
}

namespace {

// The IDE writes apostrophes as entities in text but leaves them bare in attribute values,
// which it quotes with double quotes.
std::string Escape(const std::string& AValue, bool AInText)
{
    std::string Result;
    Result.reserve(AValue.size());
    for (char C : AValue) {
        switch (C) {
        case '&':
            Result += "&amp;";
            break;
        case '<':
            Result += "&lt;";
            break;
        case '>':
            Result += "&gt;";
            break;
        case '"':
            Result += "&quot;";
            break;
        case '\'':
            if (AInText) {
                Result += "&apos;";
                break;
            }
            [[fallthrough]];
        default:
            Result += C;
        }
    }
    return Result;
}

} // namespace

std::string EscapeText(const std::string& AValue) { return Escape(AValue, true); }

std::string EscapeAttribute(const std::string& AValue) { return Escape(AValue, false); }

std::string DecodeEntities(const std::string& ARaw)
{
    std::string Result;
    Result.reserve(ARaw.size());
    size_t I = 0;
    while (I < ARaw.size()) {
        if (ARaw[I] != '&') {
            Result += ARaw[I++];
            continue;
        }
        const size_t Semi = ARaw.find(';', I);
        if (Semi == std::string::npos || Semi - I > 12) {
            Result += ARaw[I++];
            continue;
        }
        const std::string Name = ARaw.substr(I + 1, Semi - I - 1);
        bool Known = true;
        if (Name == "amp")
            Result += '&';
        else if (Name == "lt")
            Result += '<';
        else if (Name == "gt")
            Result += '>';
        else if (Name == "apos")
            Result += '\'';
        else if (Name == "quot")
            Result += '"';
        else if (Name.size() > 1 && Name[0] == '#') {
            const bool Hex = Name[1] == 'x' || Name[1] == 'X';
            const std::string Digits = Name.substr(Hex ? 2 : 1);
            unsigned long Code = 0;
            Known = !Digits.empty();
            for (char D : Digits) {
                const int V = std::isdigit(static_cast<unsigned char>(D))             ? D - '0'
                              : (Hex && std::isxdigit(static_cast<unsigned char>(D))) ? (std::tolower(D) - 'a' + 10)
                                                                                      : -1;
                if (V < 0 || (!Hex && V > 9) || Code > 0x10FFFF) {
                    Known = false;
                    break;
                }
                Code = Code * (Hex ? 16 : 10) + V;
            }
            if (Known && Code <= 0x10FFFF)
                AppendUtf8(Result, Code);
            else
                Known = false;
        } else {
            Known = false;
        }
        if (Known) {
            I = Semi + 1;
        } else {
            Result += ARaw[I++];
        }
    }
    return Result;
}

void WriteFileAtomically(const QString& AFileName, const QByteArray& AData)
{
    QSaveFile File(AFileName);
    if (!File.open(QIODevice::WriteOnly))
        throw EXmlError(AFileName, 0, 0, QStringLiteral("cannot write: %1").arg(File.errorString()));
    if (File.write(AData) != AData.size()) {
        const QString Reason = File.errorString();
        File.cancelWriting();
        throw EXmlError(AFileName, 0, 0, QStringLiteral("cannot write: %1").arg(Reason));
    }
    if (!File.commit())
        throw EXmlError(AFileName, 0, 0, QStringLiteral("cannot write: %1").arg(File.errorString()));
}

// ---------------------------------------------------------------------------------------
// Parsing. pugixml has accepted the bytes before this runs, so the checks here only guard
// against what pugixml lets through (it does not fully check the prolog, for instance).

class TXmlParser
{
public:
    TXmlParser(const std::string& AData, TXmlDocument& ADocument) : FData(AData), FDoc(ADocument)
    {
        FLineStarts.push_back(0);
        for (size_t I = 0; I < FData.size(); ++I)
            if (FData[I] == '\n')
                FLineStarts.push_back(I + 1);
    }

    void Run()
    {
        size_t P = 0;
        if (FData.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            AddRaw(TXmlNode::TKind::Other, 0, 3);
            P = 3;
        }
        int Depth = 0;
        while (P < FData.size()) {
            if (FData[P] != '<') {
                const size_t End = std::min(FData.find('<', P), FData.size());
                if (!FCurrent && !IsBlank(FData.substr(P, End - P)))
                    Fail(P, "text outside the root element");
                AddRaw(TXmlNode::TKind::Text, P, End);
                P = End;
            } else if (FData.compare(P, 4, "<!--") == 0) {
                P = AddRaw(TXmlNode::TKind::Other, P, Find(P, "-->"));
            } else if (FData.compare(P, 9, "<![CDATA[") == 0) {
                if (!FCurrent)
                    Fail(P, "CDATA outside the root element");
                P = AddRaw(TXmlNode::TKind::CData, P, Find(P, "]]>"));
            } else if (FData.compare(P, 2, "<?") == 0) {
                P = AddRaw(TXmlNode::TKind::Other, P, Find(P, "?>"));
            } else if (FData.compare(P, 2, "<!") == 0) {
                P = AddRaw(TXmlNode::TKind::Other, P, FindDoctypeEnd(P));
            } else if (FData.compare(P, 2, "</") == 0) {
                P = CloseElement(P);
                --Depth;
            } else {
                bool Opened = false;
                const size_t Start = P;
                P = OpenElement(P, Opened);
                if (Opened && ++Depth > MaxDepth)
                    Fail(Start, "elements nested too deeply");
            }
        }
        if (FCurrent)
            Fail(FData.size(), "end of file inside <" + FCurrent->FName + ">");
        if (!FDoc.FRoot)
            Fail(FData.size(), "no root element");
    }

private:
    [[noreturn]] void Fail(size_t AOffset, const std::string& AMessage) const
    {
        const auto It = std::upper_bound(FLineStarts.begin(), FLineStarts.end(), AOffset);
        const int Line = static_cast<int>(It - FLineStarts.begin());
        const int Column = static_cast<int>(AOffset - *(It - 1)) + 1;
        throw EXmlError(FDoc.FFileName, Line, Column, QString::fromStdString(AMessage));
    }

    int LineOf(size_t AOffset) const
    {
        return static_cast<int>(std::upper_bound(FLineStarts.begin(), FLineStarts.end(), AOffset) -
                                FLineStarts.begin());
    }

    // Offset just past the terminator.
    size_t Find(size_t AFrom, const char* ATerminator) const
    {
        const size_t Pos = FData.find(ATerminator, AFrom + 2);
        if (Pos == std::string::npos)
            Fail(AFrom, std::string("unterminated markup, expected \"") + ATerminator + "\"");
        return Pos + std::char_traits<char>::length(ATerminator);
    }

    size_t FindDoctypeEnd(size_t AFrom) const
    {
        int Brackets = 0;
        for (size_t I = AFrom + 2; I < FData.size(); ++I) {
            if (FData[I] == '[')
                ++Brackets;
            else if (FData[I] == ']')
                --Brackets;
            else if (FData[I] == '>' && Brackets <= 0)
                return I + 1;
        }
        Fail(AFrom, "unterminated declaration");
    }

    size_t AddRaw(TXmlNode::TKind AKind, size_t ABegin, size_t AEnd)
    {
        auto Node = std::unique_ptr<TXmlNode>(new TXmlNode(AKind));
        Node->FRaw = FData.substr(ABegin, AEnd - ABegin);
        Node->FParent = FCurrent;
        (FCurrent ? FCurrent->FChildren : FDoc.FChildren).push_back(std::move(Node));
        return AEnd;
    }

    std::string ReadName(size_t& AP) const
    {
        const size_t Begin = AP;
        while (AP < FData.size() && IsNameChar(FData[AP]))
            ++AP;
        if (AP == Begin)
            Fail(Begin, "expected a name");
        return FData.substr(Begin, AP - Begin);
    }

    void SkipSpaces(size_t& AP) const
    {
        while (AP < FData.size() && IsSpace(FData[AP]))
            ++AP;
    }

    // Returns the offset after the start tag; AOpened tells whether children follow.
    size_t OpenElement(size_t AP, bool& AOpened)
    {
        if (!FCurrent && FDoc.FRoot)
            Fail(AP, "a second root element");
        auto Element = std::unique_ptr<TXmlElement>(new TXmlElement());
        Element->FDocument = &FDoc;
        Element->FLine = LineOf(AP);
        size_t P = AP + 1;
        Element->FName = ReadName(P);
        for (;;) {
            SkipSpaces(P);
            if (P >= FData.size())
                Fail(AP, "unterminated start tag");
            if (FData[P] == '>' || FData.compare(P, 2, "/>") == 0)
                break;
            std::string Name = ReadName(P);
            SkipSpaces(P);
            if (P >= FData.size() || FData[P] != '=')
                Fail(P, "expected '=' after attribute " + Name);
            ++P;
            SkipSpaces(P);
            if (P >= FData.size() || (FData[P] != '"' && FData[P] != '\''))
                Fail(P, "expected a quoted value for attribute " + Name);
            const char Quote = FData[P];
            const size_t Close = FData.find(Quote, P + 1);
            if (Close == std::string::npos)
                Fail(P, "unterminated value of attribute " + Name);
            Element->FAttributes.emplace_back(std::move(Name), DecodeEntities(FData.substr(P + 1, Close - P - 1)));
            P = Close + 1;
        }
        const bool SelfClosing = FData[P] == '/';
        P += SelfClosing ? 2 : 1;
        Element->FStartRaw = FData.substr(AP, P - AP);
        Element->FSelfClosing = SelfClosing;
        Element->FParent = FCurrent;
        TXmlElement* Raw = Element.get();
        if (FCurrent)
            FCurrent->FChildren.push_back(std::move(Element));
        else {
            FDoc.FRoot = Raw;
            FDoc.FChildren.push_back(std::move(Element));
        }
        if (!SelfClosing)
            FCurrent = Raw;
        AOpened = !SelfClosing;
        return P;
    }

    size_t CloseElement(size_t AP)
    {
        size_t P = AP + 2;
        const std::string Name = ReadName(P);
        SkipSpaces(P);
        if (P >= FData.size() || FData[P] != '>')
            Fail(AP, "unterminated end tag");
        if (!FCurrent || FCurrent->FName != Name)
            Fail(AP, "unexpected end tag </" + Name + ">");
        FCurrent->FEndRaw = FData.substr(AP, P + 1 - AP);
        FCurrent = FCurrent->Parent();
        return P + 1;
    }

    const std::string& FData;
    TXmlDocument& FDoc;
    std::vector<size_t> FLineStarts;
    TXmlElement* FCurrent = nullptr;
};

// ---------------------------------------------------------------------------------------

TXmlDocument::~TXmlDocument() = default;

std::unique_ptr<TXmlDocument> TXmlDocument::Parse(const QByteArray& AData, const QString& AFileName)
{
    pugi::xml_document Check;
    const pugi::xml_parse_result Result = Check.load_buffer(AData.constData(), static_cast<size_t>(AData.size()),
                                                            pugi::parse_default, pugi::encoding_utf8);
    if (!Result) {
        int Line = 1;
        int Column = 1;
        const auto Offset = std::min<qsizetype>(Result.offset, AData.size());
        for (qsizetype I = 0; I < Offset; ++I) {
            if (AData[I] == '\n') {
                ++Line;
                Column = 1;
            } else {
                ++Column;
            }
        }
        throw EXmlError(AFileName, Line, Column, QString::fromUtf8(Result.description()));
    }

    auto Doc = std::unique_ptr<TXmlDocument>(new TXmlDocument());
    Doc->FFileName = AFileName;
    const std::string Data = AData.toStdString();
    Doc->FLineBreak = Data.find("\r\n") != std::string::npos || Data.find('\n') == std::string::npos ? "\r\n" : "\n";
    TXmlParser(Data, *Doc).Run();
    return Doc;
}

std::unique_ptr<TXmlDocument> TXmlDocument::LoadFromFile(const QString& AFileName)
{
    QFile File(AFileName);
    if (!File.open(QIODevice::ReadOnly))
        throw EXmlError(AFileName, 0, 0, QStringLiteral("cannot open: %1").arg(File.errorString()));
    return Parse(File.readAll(), AFileName);
}

QByteArray TXmlDocument::Serialize() const
{
    std::string Out;
    for (const auto& Node : FChildren) {
        if (Node->Kind() == TXmlNode::TKind::Element)
            static_cast<const TXmlElement*>(Node.get())->Write(Out);
        else
            Out += Node->FRaw;
    }
    return QByteArray::fromStdString(Out);
}

void TXmlDocument::SaveToFile(const QString& AFileName) const { WriteFileAtomically(AFileName, Serialize()); }

// ---------------------------------------------------------------------------------------

void TXmlElement::Touch()
{
    if (FDocument)
        FDocument->FModified = true;
}

bool TXmlElement::HasAttribute(const QString& AName) const
{
    const std::string Name = AName.toStdString();
    return std::any_of(FAttributes.begin(), FAttributes.end(), [&](const auto& A) { return A.first == Name; });
}

QString TXmlElement::Attribute(const QString& AName) const
{
    const std::string Name = AName.toStdString();
    for (const auto& A : FAttributes)
        if (A.first == Name)
            return QString::fromStdString(A.second);
    return {};
}

void TXmlElement::SetAttribute(const QString& AName, const QString& AValue)
{
    const std::string Name = AName.toStdString();
    const std::string Value = AValue.toStdString();
    for (auto& A : FAttributes) {
        if (A.first == Name) {
            if (A.second == Value)
                return;
            A.second = Value;
            FStartDirty = true;
            Touch();
            return;
        }
    }
    FAttributes.emplace_back(Name, Value);
    FStartDirty = true;
    Touch();
}

bool TXmlElement::RemoveAttribute(const QString& AName)
{
    const std::string Name = AName.toStdString();
    const auto It =
        std::find_if(FAttributes.begin(), FAttributes.end(), [&](const auto& A) { return A.first == Name; });
    if (It == FAttributes.end())
        return false;
    FAttributes.erase(It);
    FStartDirty = true;
    Touch();
    return true;
}

QString TXmlElement::Text() const
{
    std::string Result;
    for (const auto& Node : FChildren) {
        if (Node->Kind() == TKind::Text)
            Result += DecodeEntities(Node->FRaw);
        else if (Node->Kind() == TKind::CData)
            Result += Node->FRaw.substr(9, Node->FRaw.size() - 12);
    }
    return QString::fromStdString(Result);
}

void TXmlElement::SetText(const QString& AValue)
{
    const std::string Raw = EscapeText(AValue.toStdString());
    if (FChildren.size() == 1 && FChildren[0]->Kind() == TKind::Text && FChildren[0]->FRaw == Raw)
        return;
    if (Raw.empty() && FChildren.empty())
        return;
    FChildren.clear();
    if (Raw.empty()) {
        FSelfClosing = true;
    } else {
        auto Node = std::unique_ptr<TXmlNode>(new TXmlNode(TKind::Text));
        Node->FRaw = Raw;
        Node->FParent = this;
        FChildren.push_back(std::move(Node));
        FSelfClosing = false;
    }
    Touch();
}

std::vector<TXmlElement*> TXmlElement::Elements(const QString& AName) const
{
    const std::string Name = AName.toStdString();
    std::vector<TXmlElement*> Result;
    for (const auto& Node : FChildren) {
        if (Node->Kind() != TKind::Element)
            continue;
        auto* Element = static_cast<TXmlElement*>(Node.get());
        if (Name.empty() || Element->FName == Name)
            Result.push_back(Element);
    }
    return Result;
}

TXmlElement* TXmlElement::FirstElement(const QString& AName) const
{
    const std::string Name = AName.toStdString();
    for (const auto& Node : FChildren)
        if (Node->Kind() == TKind::Element && static_cast<TXmlElement*>(Node.get())->FName == Name)
            return static_cast<TXmlElement*>(Node.get());
    return nullptr;
}

bool TXmlElement::HasElements() const
{
    return std::any_of(FChildren.begin(), FChildren.end(), [](const auto& N) { return N->Kind() == TKind::Element; });
}

namespace {

// Searched from both ends at once: elements are added and looked up near the end of long lists
// (the deployment entries) and near their start (the first child's indent), so a search from
// one end made a whole save quadratic.
size_t FindChild(const std::vector<std::unique_ptr<TXmlNode>>& AChildren, const TXmlNode* AChild)
{
    for (size_t Front = 0, Back = AChildren.size(); Front < Back; ++Front) {
        if (AChildren[Front].get() == AChild)
            return Front;
        if (AChildren[--Back].get() == AChild)
            return Back;
    }
    return AChildren.size();
}

} // namespace

size_t TXmlElement::IndexOf(const TXmlNode* AChild) const
{
    const size_t Index = FindChild(FChildren, AChild);
    if (Index == FChildren.size())
        throw std::invalid_argument("XML node is not a child of <" + FName + ">");
    return Index;
}

// The whitespace after the last line break before this element, or four spaces a level.
std::string TXmlElement::OwnIndent() const
{
    const auto& Siblings = FParent ? FParent->FChildren : FDocument->FChildren;
    const size_t I = FindChild(Siblings, this);
    if (I > 0 && I < Siblings.size() && Siblings[I - 1]->Kind() == TKind::Text) {
        const std::string& Raw = Siblings[I - 1]->FRaw;
        const size_t Break = Raw.rfind('\n');
        if (Break != std::string::npos && IsBlank(Raw.substr(Break)))
            return Raw.substr(Break + 1);
    }
    int Depth = 0;
    for (const TXmlElement* P = FParent; P; P = P->FParent)
        ++Depth;
    return std::string(static_cast<size_t>(Depth) * 4, ' ');
}

std::string TXmlElement::ChildIndent() const
{
    for (const auto& Node : FChildren)
        if (Node->Kind() == TKind::Element)
            return static_cast<const TXmlElement*>(Node.get())->OwnIndent();
    return OwnIndent() + "    ";
}

TXmlElement* TXmlElement::InsertNew(size_t AIndex, const std::string& AName, bool AAtEnd)
{
    auto MakeSpace = [this](const std::string& AIndent) {
        auto Node = std::unique_ptr<TXmlNode>(new TXmlNode(TKind::Text));
        Node->FRaw = FDocument->FLineBreak + AIndent;
        Node->FParent = this;
        return Node;
    };
    auto Element = std::unique_ptr<TXmlElement>(new TXmlElement());
    Element->FDocument = FDocument;
    Element->FName = AName;
    Element->FParent = this;
    TXmlElement* Result = Element.get();

    const std::string Indent = ChildIndent();
    if (FChildren.empty() || !HasElements()) {
        // An empty element (or one holding only whitespace) is laid out from scratch.
        if (!FChildren.empty() && !IsBlank(FChildren.back()->FRaw)) {
            FChildren.push_back(MakeSpace(Indent));
            FChildren.push_back(std::move(Element));
            FChildren.push_back(MakeSpace(OwnIndent()));
        } else {
            const std::string Outer = OwnIndent();
            FChildren.clear();
            FChildren.push_back(MakeSpace(Indent));
            FChildren.push_back(std::move(Element));
            FChildren.push_back(MakeSpace(Outer));
        }
    } else if (AAtEnd) {
        // Before the whitespace that leads to the closing tag.
        size_t At = FChildren.size();
        if (FChildren.back()->Kind() == TKind::Text && IsBlank(FChildren.back()->FRaw))
            --At;
        FChildren.insert(FChildren.begin() + static_cast<std::ptrdiff_t>(At), std::move(Element));
        FChildren.insert(FChildren.begin() + static_cast<std::ptrdiff_t>(At), MakeSpace(Indent));
        if (At + 2 == FChildren.size())
            FChildren.push_back(MakeSpace(OwnIndent()));
    } else {
        // The reference keeps the whitespace before it; the new element gets its own after.
        FChildren.insert(FChildren.begin() + static_cast<std::ptrdiff_t>(AIndex), MakeSpace(Indent));
        FChildren.insert(FChildren.begin() + static_cast<std::ptrdiff_t>(AIndex), std::move(Element));
    }
    FSelfClosing = false;
    Touch();
    return Result;
}

TXmlElement* TXmlElement::AppendElement(const QString& AName)
{
    return InsertNew(FChildren.size(), AName.toStdString(), true);
}

TXmlElement* TXmlElement::InsertElementBefore(TXmlElement* ARef, const QString& AName)
{
    if (!ARef)
        return AppendElement(AName);
    return InsertNew(IndexOf(ARef), AName.toStdString(), false);
}

namespace {

// Removing an element also removes the line break and indentation that led to it.
void TrimLeadingLine(std::string& ARaw)
{
    size_t Cut = ARaw.size();
    while (Cut > 0 && (ARaw[Cut - 1] == ' ' || ARaw[Cut - 1] == '\t'))
        --Cut;
    if (Cut > 0 && ARaw[Cut - 1] == '\n') {
        --Cut;
        if (Cut > 0 && ARaw[Cut - 1] == '\r')
            --Cut;
        ARaw.resize(Cut);
    }
}

} // namespace

int TXmlElement::RemoveElementsIf(const std::function<bool(const TXmlElement&)>& APredicate)
{
    std::vector<std::unique_ptr<TXmlNode>> LKept;
    LKept.reserve(FChildren.size());
    int LCount = 0;
    for (auto& Node : FChildren) {
        if (Node->Kind() == TKind::Element && APredicate(static_cast<const TXmlElement&>(*Node))) {
            if (!LKept.empty() && LKept.back()->Kind() == TKind::Text) {
                TrimLeadingLine(LKept.back()->FRaw);
                if (LKept.back()->FRaw.empty())
                    LKept.pop_back();
            }
            ++LCount;
            continue;
        }
        LKept.push_back(std::move(Node));
    }
    FChildren = std::move(LKept);
    if (LCount == 0)
        return 0;
    if (!HasElements() && std::all_of(FChildren.begin(), FChildren.end(),
                                      [](const auto& N) { return N->Kind() == TKind::Text && IsBlank(N->FRaw); })) {
        FChildren.clear();
        FSelfClosing = true;
    }
    Touch();
    return LCount;
}

void TXmlElement::RemoveElement(TXmlElement* AChild)
{
    size_t Index = IndexOf(AChild);
    if (Index > 0 && FChildren[Index - 1]->Kind() == TKind::Text) {
        std::string& Raw = FChildren[Index - 1]->FRaw;
        TrimLeadingLine(Raw);
        if (Raw.empty()) {
            FChildren.erase(FChildren.begin() + static_cast<std::ptrdiff_t>(Index - 1));
            --Index;
        }
    }
    FChildren.erase(FChildren.begin() + static_cast<std::ptrdiff_t>(Index));
    if (!HasElements() && std::all_of(FChildren.begin(), FChildren.end(),
                                      [](const auto& N) { return N->Kind() == TKind::Text && IsBlank(N->FRaw); })) {
        FChildren.clear();
        FSelfClosing = true;
    }
    Touch();
}

void TXmlElement::Write(std::string& AOut) const
{
    if (FStartDirty || FStartRaw.empty()) {
        AOut += '<';
        AOut += FName;
        for (const auto& A : FAttributes) {
            AOut += ' ';
            AOut += A.first;
            AOut += "=\"";
            AOut += EscapeAttribute(A.second);
            AOut += '"';
        }
        AOut += FSelfClosing ? "/>" : ">";
    } else {
        const bool RawSelfClosing = FStartRaw.size() >= 2 && FStartRaw.compare(FStartRaw.size() - 2, 2, "/>") == 0;
        if (RawSelfClosing == FSelfClosing) {
            AOut += FStartRaw;
        } else if (RawSelfClosing) {
            std::string Open = FStartRaw.substr(0, FStartRaw.size() - 2);
            while (!Open.empty() && IsSpace(Open.back()))
                Open.pop_back();
            AOut += Open + ">";
        } else {
            AOut += FStartRaw.substr(0, FStartRaw.size() - 1) + "/>";
        }
    }
    if (FSelfClosing)
        return;
    for (const auto& Node : FChildren) {
        if (Node->Kind() == TKind::Element)
            static_cast<const TXmlElement*>(Node.get())->Write(AOut);
        else
            AOut += Node->FRaw;
    }
    if (FEndRaw.empty()) {
        AOut += "</";
        AOut += FName;
        AOut += '>';
    } else {
        AOut += FEndRaw;
    }
}

} // namespace ide::xml

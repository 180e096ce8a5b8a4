#pragma once

// A lossless XML tree for MSBuild project files. The IDE owns these files and users keep
// them under version control, so a tool that touches one entry must leave every other
// byte as it was: each element keeps its raw start and end tags and every piece of text,
// whitespace, comment and declaration around it. Only what is edited is written anew, in
// the IDE's own layout (CRLF, four spaces per level, `<Name/>` for empty elements).

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace ide::xml {

// Bad or unreadable XML. Line and column are 1-based; 0 when the problem has no place
// in the file (missing file, failed write).
class EXmlError : public std::runtime_error
{
public:
    EXmlError(const QString& AFileName, int ALine, int AColumn, const QString& AMessage);
    const QString& FileName() const { return FFileName; }
    int Line() const { return FLine; }
    int Column() const { return FColumn; }

private:
    QString FFileName;
    int FLine;
    int FColumn;
};

class TXmlDocument;
class TXmlElement;

class TXmlNode
{
public:
    enum class TKind
    {
        Element,
        Text,
        CData,
        Other
    };

    virtual ~TXmlNode() = default;
    TKind Kind() const { return FKind; }
    TXmlElement* Parent() const { return FParent; }

protected:
    explicit TXmlNode(TKind AKind) : FKind(AKind) {}

private:
    friend class TXmlElement;
    friend class TXmlDocument;
    friend class TXmlParser;
    TKind FKind;
    TXmlElement* FParent = nullptr;
    std::string FRaw; // exact bytes for text, CDATA and other nodes
};

class TXmlElement final : public TXmlNode
{
public:
    QString Name() const { return QString::fromStdString(FName); }
    // Source line of the start tag; 0 for elements made after loading.
    int Line() const { return FLine; }
    TXmlDocument* Document() const { return FDocument; }

    bool HasAttribute(const QString& AName) const;
    QString Attribute(const QString& AName) const; // decoded; empty when absent
    void SetAttribute(const QString& AName, const QString& AValue);
    bool RemoveAttribute(const QString& AName);

    // Decoded character data of the direct text and CDATA children.
    QString Text() const;
    // Replaces all children by the escaped text; an empty text makes the element `<Name/>`.
    void SetText(const QString& AValue);

    std::vector<TXmlElement*> Elements(const QString& AName = {}) const;
    TXmlElement* FirstElement(const QString& AName) const;
    bool HasElements() const;

    // New children are indented like their siblings (or one level deeper than this element).
    TXmlElement* AppendElement(const QString& AName);
    TXmlElement* InsertElementBefore(TXmlElement* ARef, const QString& AName);
    // Removes the child with the indentation before it, so no blank line is left.
    void RemoveElement(TXmlElement* AChild);
    // Removes every child element the predicate picks, in one pass; returns how many.
    int RemoveElementsIf(const std::function<bool(const TXmlElement&)>& APredicate);

private:
    friend class TXmlDocument;
    friend class TXmlParser;
    TXmlElement() : TXmlNode(TKind::Element) {}

    size_t IndexOf(const TXmlNode* AChild) const;
    std::string OwnIndent() const;
    std::string ChildIndent() const;
    TXmlElement* InsertNew(size_t AIndex, const std::string& AName, bool AAtEnd);
    void Write(std::string& AOut) const;
    void Touch();

    TXmlDocument* FDocument = nullptr;
    std::string FName;
    std::string FStartRaw;                                        // empty for new elements
    std::string FEndRaw;                                          // empty for new or self-closing elements
    std::vector<std::pair<std::string, std::string>> FAttributes; // name, decoded value
    bool FSelfClosing = true;
    bool FStartDirty = false;
    int FLine = 0;
    std::vector<std::unique_ptr<TXmlNode>> FChildren;
};

class TXmlDocument
{
public:
    ~TXmlDocument();

    // Validates with pugixml first so that errors carry its description and a position.
    static std::unique_ptr<TXmlDocument> Parse(const QByteArray& AData, const QString& AFileName);
    static std::unique_ptr<TXmlDocument> LoadFromFile(const QString& AFileName);

    QByteArray Serialize() const;
    // Writes to a temporary file in the same folder and renames it over the target.
    void SaveToFile(const QString& AFileName) const;

    TXmlElement* Root() const { return FRoot; }
    const QString& FileName() const { return FFileName; }
    const std::string& LineBreak() const { return FLineBreak; }
    bool IsModified() const { return FModified; }

private:
    friend class TXmlElement;
    friend class TXmlParser;
    TXmlDocument() = default;

    QString FFileName;
    std::string FLineBreak = "\r\n";
    std::vector<std::unique_ptr<TXmlNode>> FChildren;
    TXmlElement* FRoot = nullptr;
    bool FModified = false;
};

// Entity handling as the IDE writes files: text escapes & < > ' " (the apostrophe as
// &apos;), attribute values leave the apostrophe alone because MSBuild conditions are full
// of them and the IDE writes them bare.
std::string EscapeText(const std::string& AValue);
std::string EscapeAttribute(const std::string& AValue);
std::string DecodeEntities(const std::string& ARaw);

// Writes through a temporary file in the target's folder; the target is untouched on failure.
void WriteFileAtomically(const QString& AFileName, const QByteArray& AData);

} // namespace ide::xml

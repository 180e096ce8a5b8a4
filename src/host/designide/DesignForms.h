#pragma once

// Text form files (object ... end), read into a tree that keeps every line's text, so
// that a form read and written unchanged is byte-identical and a changed property
// rewrites only its own lines, spelled as the IDE spells them.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <variant>
#include <vector>

namespace ide {

// A form that cannot be read: names the file and the line.
class EFormError : public std::runtime_error
{
public:
    EFormError(const QString& AFileName, int ALine, const QString& AMessage);
    QString FileName() const { return FFileName; }
    int Line() const { return FLine; }

private:
    QString FFileName;
    int FLine;
};

struct TFormProperty;

struct TFormValue
{
    enum class TKind
    {
        Integer,
        Float,
        String,
        Ident,
        Set,
        List,
        Collection,
        Binary
    };
    TKind Kind = TKind::Ident;
    // Integer and Float: the source spelling; String: the decoded text; Ident: the
    // identifier; Binary: the hex digits.
    QString Text;
    // Set members (identifiers) and list items.
    std::vector<TFormValue> Items;
    // Collection items, each a list of properties.
    std::vector<std::vector<TFormProperty>> Collection;

    static TFormValue Integer(qint64 AValue);
    static TFormValue Float(double AValue);
    static TFormValue String(const QString& AValue);
    static TFormValue Ident(const QString& AValue);
    static TFormValue Set(const QStringList& AMembers);

    double ToDouble() const;
    qint64 ToInteger() const;
    // The members of a set, the identifier otherwise.
    QStringList SetMembers() const;
    // As the format writes it, continuation lines starting at AIndent + 2.
    QByteArray Spelling(int AIndent, const QByteArray& ALineBreak) const;
};

bool operator==(const TFormValue& A, const TFormValue& B);

struct TFormProperty
{
    QString Name; // dotted for value objects: Size.Width
    TFormValue Value;
};

struct TFormObject
{
    enum class TKind
    {
        Object,
        Inherited,
        Inline
    };
    TKind Kind = TKind::Object;
    QString Name;
    QString ClassName;
    int Line = 0; // 1-based line of the header
    int Indent = 0;

    // Properties and children in file order; blank lines are kept as they stand.
    struct TItem
    {
        std::variant<TFormProperty, std::unique_ptr<TFormObject>> Entry;
        QByteArray Raw; // the item's lines as read; empty once changed or for children
        int Line = 0;
        bool Blank = false;
    };
    std::vector<TItem> Items;
    QByteArray HeaderRaw;
    QByteArray EndRaw;

    const TFormProperty* FindProperty(const QString& AName) const;
    // Replaces the value (rewriting only that property's lines) or adds the property: before
    // the first one ARank puts after it (ranks below 0 are unknown), else after the last one.
    void SetProperty(const QString& AName, const TFormValue& AValue, const QByteArray& ALineBreak,
                     const std::function<int(const QString&)>& ARank = {});
    // Renames the object in its header line, which keeps the rest of its text.
    void Rename(const QString& ANewName);
    std::vector<const TFormProperty*> Properties() const;
    std::vector<TFormObject*> Children() const;
    // This object and every descendant, depth first.
    void ForEach(const std::function<void(TFormObject&)>& AProc);
};

class TFormFile
{
public:
    // Throws EFormError naming AFileName and the line.
    static TFormFile Parse(const QByteArray& AData, const QString& AFileName = QString());
    static TFormFile Load(const QString& AFileName);

    QByteArray Text() const;
    // Writes atomically; refuses a symbolic link.
    void Save(const QString& AFileName) const;

    TFormObject& Root() { return *FRoot; }
    const TFormObject& Root() const { return *FRoot; }
    QString FileName() const { return FFileName; }
    QByteArray LineBreak() const { return FLineBreak; }
    TFormObject* FindObject(const QString& AName) const;

private:
    QString FFileName;
    QByteArray FLeading;
    std::unique_ptr<TFormObject> FRoot;
    QByteArray FTrailing;
    QByteArray FLineBreak = "\r\n";
};

// The unit of a form file: same folder and base name, ".pas".
QString FormUnitFileName(const QString& AFormFileName);
// The ancestor a form class is declared with in its unit (TFormMain = class(TqoForm)),
// empty when the unit or the declaration is missing.
QString FormAncestorClass(const QString& AUnitFileName, const QString& AFormClass);

} // namespace ide

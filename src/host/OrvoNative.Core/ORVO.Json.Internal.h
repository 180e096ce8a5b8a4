#pragma once

// JSON reading and writing shared by the configuration and vector files.
// Included by .cpp files only, so that nlohmann stays out of public headers.

#include "ORVO.Exceptions.h"

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace core::jsonio {

using Json = nlohmann::ordered_json;

// Line of the value a JSON pointer ("/assets/2/name") names in a text that parsed, or 0.
int ValueLine(const QByteArray& AText, const std::string& APointer);
// The deepest nesting of objects and arrays, counting stops past ALimit; ALine gets the line
// where ALimit was passed.
int NestingDepth(const QByteArray& AText, int ALimit, int* ALine = nullptr);
// Deeper documents are refused before parsing.
constexpr int MaxNestingDepth = 256;

// A float as the shortest decimal that reads back as the same float, so that
// 0.1f is written as 0.1 and not as 0.10000000149011612. Non-finite values raise.
Json FloatValue(float AValue, const QString& AWhat);
Json DoubleValue(double AValue, const QString& AWhat);

class TqoJsonDocument;

// A value inside a parsed document together with its place, for error messages.
class TqoJsonNode
{
public:
    TqoJsonNode(const TqoJsonDocument* ADocument, const Json* AValue, std::string APointer)
        : FDocument(ADocument), FValue(AValue), FPointer(std::move(APointer))
    {
    }

    const Json& Value() const { return *FValue; }
    bool Has(const char* AKey) const;
    TqoJsonNode Member(const char* AKey) const; // raises when missing
    TqoJsonNode At(size_t AIndex) const;
    size_t Size() const; // of an array; raises for other types

    void ExpectObject(std::initializer_list<const char*> AAllowedKeys) const;
    void ExpectArray() const;
    QString String() const;
    double Number() const;
    float Float() const;
    int Int() const;
    bool Bool() const;

    [[noreturn]] void Fail(const QString& AMessage) const;

private:
    const TqoJsonDocument* FDocument;
    const Json* FValue;
    std::string FPointer;
};

class TqoJsonDocument
{
public:
    // Raises EqoFileError with the line of a syntax error.
    TqoJsonDocument(const QByteArray& AText, const QString& AFileName);
    TqoJsonNode Root() const { return TqoJsonNode(this, &FRoot, std::string()); }
    QString FileName() const { return FFileName; }
    int LineOf(const std::string& APointer) const;

private:
    QString FFileName;
    Json FRoot;
    QByteArray FText;
};

// The document's text: two-space indent, arrays of plain values on one line, "\n" line ends,
// a final newline.
QByteArray Dump(const Json& AValue);
// One line: {"a": 1, "b": [1, 2]}.
std::string DumpInline(const Json& AValue);

// Reads a whole file, raising EqoFileError when it cannot be opened.
QByteArray ReadFile(const QString& AFileName);
// Whether the file is a regular file (not a link) holding exactly AData.
bool HasContent(const QString& AFileName, const QByteArray& AData);
// Writes through a temporary file in the same folder, renamed over the target at the end.
// A file that already holds AData is left untouched (false); a symbolic link is refused.
bool WriteFileAtomically(const QString& AFileName, const QByteArray& AData);

} // namespace core::jsonio

#pragma once

// Text and path helpers shared by the parts of a .dproj project.

#include <QString>

namespace ide::xml {
class TXmlElement;
}

namespace ide::tools {

bool SameText(const QString& A, const QString& B);
// Backslashes, as project files write them, to '/'.
QString ToNativeSeparators(QString APath);
// Project files name files relative to the project folder with backslashes.
QString ResolveFileName(const QString& AFolder, const QString& AName);
QString RelativeProjectPath(const QString& AFolder, const QString& AAbsolute);
bool SameFile(const QString& A, const QString& B);
// The IDE sorts named lists with CompareText: ASCII upper-cased, then ordinal, so '_' sorts
// after the letters.
int CompareText(const QString& A, const QString& B);
xml::TXmlElement* NextElementSibling(xml::TXmlElement* AElement);
// The first PropertyGroup without a condition holds the project's identity.
xml::TXmlElement* MainPropertyGroup(xml::TXmlElement* ARoot);
QString MainProperty(xml::TXmlElement* ARoot, const QString& AName);

} // namespace ide::tools

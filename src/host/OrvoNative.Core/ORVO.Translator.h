#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace core {

using TqoTranslationItems = QList<QPair<QString, QString>>;

// One text of a dialog: its key, the framework's own (Russian) text and the English one.
struct TqoTranslationText
{
    const char* Key;
    const char* Default;
    const char* English;
};

// Dialog texts by language. Each dialog registers its tables under its own
// scope; "default" is the framework's original (Russian) text and the fallback
// for any language that lacks a key.
class TqoTranslator
{
public:
    static const QString DefaultLanguage; // "default"
    static const QString EnglishLanguage; // "en"

    static void RegisterTable(const QString& AScope, const QString& ALanguage, const TqoTranslationItems& AItems);
    // The scope's "default" and "en" tables from the texts; a scope that has tables already is
    // left as it is, so a dialog may call this every time it is made.
    static void RegisterTexts(const QString& AScope, const QList<TqoTranslationText>& ATexts);
    static void UnregisterScope(const QString& AScope);

    static QString CurrentLanguage();
    static void SetCurrentLanguage(const QString& ALanguage);

    // The text for the current language, then the default one; the key itself when neither has it.
    // Scopes are searched in registration order.
    static QString Translate(const QString& AKey);
    static QString Translate(const QString& AScope, const QString& AKey);
};

} // namespace core

#include "ORVO.Translator.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace core {

const QString TqoTranslator::DefaultLanguage = QStringLiteral("default");
const QString TqoTranslator::EnglishLanguage = QStringLiteral("en");

namespace {

struct TqoScopeTables
{
    QString Scope;
    QHash<QString, QHash<QString, QString>> Languages; // language -> key -> text
};

std::vector<TqoScopeTables>& Scopes()
{
    static std::vector<TqoScopeTables> scopes;
    return scopes;
}

QString& Language()
{
    static QString language = TqoTranslator::DefaultLanguage;
    return language;
}

bool Lookup(const TqoScopeTables& ATables, const QString& ALanguage, const QString& AKey, QString& AText)
{
    const auto language = ATables.Languages.constFind(ALanguage);
    if (language == ATables.Languages.constEnd())
        return false;
    const auto text = language->constFind(AKey);
    if (text == language->constEnd())
        return false;
    AText = *text;
    return true;
}

} // namespace

void TqoTranslator::RegisterTable(const QString& AScope, const QString& ALanguage, const TqoTranslationItems& AItems)
{
    auto& scopes = Scopes();
    auto it = std::find_if(scopes.begin(), scopes.end(), [&](const TqoScopeTables& T) { return T.Scope == AScope; });
    if (it == scopes.end()) {
        scopes.push_back({AScope, {}});
        it = scopes.end() - 1;
    }
    auto& table = it->Languages[ALanguage];
    for (const auto& item : AItems)
        table.insert(item.first, item.second);
}

void TqoTranslator::RegisterTexts(const QString& AScope, const QList<TqoTranslationText>& ATexts)
{
    const auto& scopes = Scopes();
    if (std::any_of(scopes.begin(), scopes.end(), [&](const TqoScopeTables& T) { return T.Scope == AScope; }))
        return;
    TqoTranslationItems defaults, english;
    for (const TqoTranslationText& text : ATexts) {
        defaults.append({QString::fromUtf8(text.Key), QString::fromUtf8(text.Default)});
        english.append({QString::fromUtf8(text.Key), QString::fromUtf8(text.English)});
    }
    RegisterTable(AScope, DefaultLanguage, defaults);
    RegisterTable(AScope, EnglishLanguage, english);
}

void TqoTranslator::UnregisterScope(const QString& AScope)
{
    auto& scopes = Scopes();
    std::erase_if(scopes, [&](const TqoScopeTables& T) { return T.Scope == AScope; });
}

QString TqoTranslator::CurrentLanguage() { return Language(); }

void TqoTranslator::SetCurrentLanguage(const QString& ALanguage) { Language() = ALanguage; }

QString TqoTranslator::Translate(const QString& AKey)
{
    QString text;
    for (const QString& language : {Language(), DefaultLanguage})
        for (const auto& tables : Scopes())
            if (Lookup(tables, language, AKey, text))
                return text;
    return AKey;
}

QString TqoTranslator::Translate(const QString& AScope, const QString& AKey)
{
    QString text;
    for (const auto& tables : Scopes()) {
        if (tables.Scope != AScope)
            continue;
        if (Lookup(tables, Language(), AKey, text) || Lookup(tables, DefaultLanguage, AKey, text))
            return text;
    }
    return AKey;
}

} // namespace core

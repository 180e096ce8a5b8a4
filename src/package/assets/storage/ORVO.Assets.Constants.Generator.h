#pragma once

#include "ORVO.Assets.h"
#include "ToolsAPI.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace orvo {

// Writes "Assets.Consts.pas" into the project's folder: a record of string constants, one per
// asset name, so that application code names assets through identifiers and a removed or
// renamed asset becomes a compile error.
//
// Themes holding only bitmap sets: the public section declares CurrentTheme whenever themes
// hold bitmap sets or colors, so the Current Theme region, both uses clauses and the
// implementation part are written under that same condition; a unit never names a
// TqoCurrentTheme it does not declare. Other theme shapes that would not compile are made to:
// a theme without assets gets an empty record (no empty "const" section), and a theme
// identifier that is empty, starts with a digit or is a reserved word becomes "_..." or
// "&...". Quotes in asset names are doubled inside the string literals.
class TqoAssetsConstsGenerator
{
public:
    static const QString UnitFileName; // "Assets.Consts.pas"

    // The assets are those of the manager the IDE keeps for the project, or the runtime's
    // current manager when it keeps none.
    explicit TqoAssetsConstsGenerator(std::shared_ptr<ide::IOTAProject> AProject);
    ~TqoAssetsConstsGenerator();
    TqoAssetsConstsGenerator(const TqoAssetsConstsGenerator&) = delete;
    TqoAssetsConstsGenerator& operator=(const TqoAssetsConstsGenerator&) = delete;

    // Called after every save of the Assets Manager; AIsProjectDestroying when the save
    // happens because the project is closing (the project's module list is left alone then).
    // Returns the warnings of Generate.
    static QStringList GenerateAssetsConsts(const std::shared_ptr<ide::IOTAProject>& AProject,
                                            bool AIsProjectDestroying);
    // The file Generate writes: the project's module entry for the unit, or the unit beside
    // the project file (always the latter while the project closes).
    static QString UnitFileNameOf(const ide::IOTAProject& AProject, bool AIsProjectDestroying);

    // Builds the unit and writes it (only when its bytes changed); write errors raise
    // EqoFileError. The project is released when it returns. Asset names that become one
    // identifier in one record are written as they come (the identifier rules stay) and
    // returned as warnings, also logged, naming the assets to rename.
    QStringList Generate(bool AIsProjectDestroying);

    // The unit's lines for the assets of AAssetsManager, as Generate writes them.
    static QStringList GenerateLines(const core::TqoAssetsManager& AAssetsManager);
    // The collision warnings for the assets of AAssetsManager.
    static QStringList CollisionWarnings(const core::TqoAssetsManager& AAssetsManager);
    // The file's bytes: UTF-8 with a byte-order mark, every line ended by CR LF.
    static QByteArray Encode(const QStringList& ALines);

private:
    explicit TqoAssetsConstsGenerator(std::shared_ptr<core::TqoAssetsManager> AAssetsManager);
    void Prepare();
    void Build();

    using TqoFilter = bool (TqoAssetsConstsGenerator::*)(const core::TqoAsset&) const;
    bool IsThemeAsset(const core::TqoAsset& AAsset) const;
    bool IsNotThemeBitmap(const core::TqoAsset& AAsset) const;
    bool IsNotThemeColor(const core::TqoAsset& AAsset) const;
    bool IsFont(const core::TqoAsset& AAsset) const;
    bool IsFile(const core::TqoAsset& AAsset) const;
    bool IsSVG(const core::TqoAsset& AAsset) const;
    bool IsLottieAnimation(const core::TqoAsset& AAsset) const;
    bool IsThemeBitmap(const core::TqoAsset& AAsset) const;
    bool IsThemeColor(const core::TqoAsset& AAsset) const;
    bool HasAny(TqoFilter AFilter) const;

    QString RemoveThemePrefix(const QString& AName) const;
    QString GenerateAssetName(const QString& AName, bool AIsTheme) const;
    QString GenerateThemeName(const QString& ATheme) const;
    QString ConstantLine(const core::TqoAssetGroup& AGroup, bool AIsTheme, bool AWithColorComment) const;
    // Groups of the current theme whose first asset has the kind key.
    std::vector<const core::TqoAssetGroup*> CurrentThemeGroups(const QString& AKind) const;
    void AddSeparator();
    // Notes the identifier a group gets in a record, for the collision warnings.
    void NoteIdentifier(const QString& ARecord, const QString& AIdentifier, const QString& AAssetName);
    QStringList Collisions() const;
    void SaveToFile(const QString& AFileName) const;

    QStringList FBuffer;
    std::shared_ptr<ide::IOTAProject> FProject;
    std::shared_ptr<core::TqoAssetsManager> FAssetsManager;
    QStringList FThemes;
    std::vector<core::TqoAssetGroup> FGroups;
    bool FSkipSeparator = false;
    // Per record, per identifier: the asset names that got it, in order.
    std::vector<std::pair<QString, std::vector<std::pair<QString, QStringList>>>> FIdentifiers;
};

} // namespace orvo

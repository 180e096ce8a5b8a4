#include "ORVO.Assets.Constants.Generator.h"

#include "ORVO.Assert.h"
#include "ORVO.Colors.h"
#include "ORVO.Designer.IdeEvents.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace orvo {

using core::TqoAsset;
using core::TqoAssetGroup;
using core::TqoAssetNameHelper;

const QString TqoAssetsConstsGenerator::UnitFileName = QStringLiteral("Assets.Consts.pas");

namespace {

const QString LogCategory = QStringLiteral("AssetsDesigner");
constexpr int CommentColumn = 80;

// Asset identifiers that would clash with the language get "&" in front.
const QStringList ReservedWords =
    QStringLiteral("type in out label set repeat begin end xor or string const then of packed array and not file")
        .split(QLatin1Char(' '));

// Theme identifiers become class var names: every word the compiler would not take there.
const QStringList LanguageWords =
    QStringLiteral("and array as asm automated begin case class const constructor destructor dispinterface div do "
                   "downto else end except exports file finalization finally for function goto if implementation in "
                   "inherited initialization inline interface is label library mod nil not object of or out packed "
                   "private procedure program property protected public published raise record repeat resourcestring "
                   "set shl shr strict string then threadvar to try type unit until uses var while with xor")
        .split(QLatin1Char(' '));

bool IsLetterOrDigit(QChar AChar) { return AChar.isLetter() || AChar.isDigit(); }

QString Normalize(const QString& AName)
{
    if (AName.isEmpty())
        return AName;
    QString Result = AName[0].isLetter() ? AName : QLatin1Char('_') + AName;
    for (qsizetype I = 1; I < Result.size(); ++I)
        if (!IsLetterOrDigit(Result[I]))
            Result[I] = QLatin1Char('_');
    if (ReservedWords.contains(Result, Qt::CaseInsensitive))
        Result.prepend(QLatin1Char('&'));
    return Result;
}

// A Pascal string literal's content: a quote is written twice.
QString QuotedText(const QString& AText)
{
    QString Result = AText;
    return Result.replace(QLatin1Char('\''), QStringLiteral("''"));
}

struct TqoThemeKind
{
    QString Kind;
    QString RecordName;
    QString Summary;
    QString VarLine;
};

// The current theme's records, in the order they are declared.
const std::vector<TqoThemeKind>& CurrentThemeKinds()
{
    static const std::vector<TqoThemeKind> Kinds = {
        {core::TqoAssetColor::Kind, QStringLiteral("TqoThemeColors"),
         QStringLiteral("      /// <summary>Identifiers with current theme colors assets.</summary>"),
         QStringLiteral("      class var Color: TqoThemeColors;")},
        {core::TqoAssetBitmapSet::Kind, QStringLiteral("TqoThemeBitmaps"),
         QStringLiteral("      /// <summary>Identifiers with current theme bitmap assets.</summary>"),
         QStringLiteral("      class var Bitmap: TqoThemeBitmaps;")},
        {core::TqoAssetFont::Kind, QStringLiteral("TqoThemeFonts"),
         QStringLiteral("      /// <summary>Identifiers with current theme custom font files assets.</summary>"),
         QStringLiteral("      class var Font: TqoThemeFonts;")},
        {core::TqoAssetFile::Kind, QStringLiteral("TqoThemeFiles"),
         QStringLiteral("      /// <summary>Identifiers with custom user's files assets.</summary>"),
         QStringLiteral("      class var &File: TqoThemeFiles;")},
        {core::TqoAssetSVG::Kind, QStringLiteral("TqoThemeImages"),
         QStringLiteral("      /// <summary>Identifiers with current theme vector assets.</summary>"),
         QStringLiteral("      class var Image: TqoThemeImages;")},
        {core::TqoAssetLottieAnimation::Kind, QStringLiteral("TqoThemeLottieAnimations"),
         QStringLiteral("      /// <summary>Identifiers with current theme Lottie animations assets.</summary>"),
         QStringLiteral("      class var LottieAnimation: TqoThemeLottieAnimations;")},
    };
    return Kinds;
}

// The order in which the implementation part writes the current theme's functions.
const std::vector<std::pair<QString, QString>>& ImplementationKinds()
{
    static const std::vector<std::pair<QString, QString>> Kinds = {
        {core::TqoAssetBitmapSet::Kind, QStringLiteral("TqoThemeBitmaps")},
        {core::TqoAssetColor::Kind, QStringLiteral("TqoThemeColors")},
        {core::TqoAssetFile::Kind, QStringLiteral("TqoThemeFiles")},
        {core::TqoAssetFont::Kind, QStringLiteral("TqoThemeFonts")},
        {core::TqoAssetSVG::Kind, QStringLiteral("TqoThemeImages")},
        {core::TqoAssetLottieAnimation::Kind, QStringLiteral("TqoThemeLottieAnimations")},
    };
    return Kinds;
}

} // namespace

TqoAssetsConstsGenerator::TqoAssetsConstsGenerator(std::shared_ptr<ide::IOTAProject> AProject)
    : FProject(std::move(AProject))
{
    core::TqoAssert::IsNotNil(FProject, QStringLiteral("AProject"));
    FAssetsManager = dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(FProject->ProjectGUID());
    // The runtime's manager is not ours to own: an empty owner keeps it alive by itself.
    if (!FAssetsManager)
        FAssetsManager =
            std::shared_ptr<core::TqoAssetsManager>(std::shared_ptr<void>(), &core::TqoAssetsManager::GetCurrent());
    Prepare();
}

TqoAssetsConstsGenerator::TqoAssetsConstsGenerator(std::shared_ptr<core::TqoAssetsManager> AAssetsManager)
    : FAssetsManager(std::move(AAssetsManager))
{
    Prepare();
}

TqoAssetsConstsGenerator::~TqoAssetsConstsGenerator() = default;

void TqoAssetsConstsGenerator::Prepare()
{
    FThemes = FAssetsManager->GetThemesNames();
    std::sort(FThemes.begin(), FThemes.end(),
              [](const QString& A, const QString& B) { return A.compare(B, Qt::CaseSensitive) < 0; });
    FGroups = FAssetsManager->GetGroupedAssets();
    std::erase_if(FGroups, [](const TqoAssetGroup& G) { return G.IsEmpty(); });
    std::stable_sort(FGroups.begin(), FGroups.end(), [](const TqoAssetGroup& A, const TqoAssetGroup& B) {
        return A.GetName().compare(B.GetName(), Qt::CaseInsensitive) < 0;
    });
}

QStringList TqoAssetsConstsGenerator::GenerateAssetsConsts(const std::shared_ptr<ide::IOTAProject>& AProject,
                                                           bool AIsProjectDestroying)
{
    TqoAssetsConstsGenerator Generator(AProject);
    return Generator.Generate(AIsProjectDestroying);
}

QString TqoAssetsConstsGenerator::UnitFileNameOf(const ide::IOTAProject& AProject, bool AIsProjectDestroying)
{
    if (!AIsProjectDestroying)
        if (const auto Module = AProject.FindModuleInfo(UnitFileName))
            return Module->FileName();
    return QDir(QFileInfo(AProject.FileName()).absolutePath()).filePath(UnitFileName);
}

QStringList TqoAssetsConstsGenerator::CollisionWarnings(const core::TqoAssetsManager& AAssetsManager)
{
    TqoAssetsConstsGenerator Generator(std::shared_ptr<core::TqoAssetsManager>(
        std::shared_ptr<void>(), const_cast<core::TqoAssetsManager*>(&AAssetsManager)));
    Generator.Build();
    return Generator.Collisions();
}

QStringList TqoAssetsConstsGenerator::GenerateLines(const core::TqoAssetsManager& AAssetsManager)
{
    // Only read here; the aliasing pointer owns nothing.
    TqoAssetsConstsGenerator Generator(std::shared_ptr<core::TqoAssetsManager>(
        std::shared_ptr<void>(), const_cast<core::TqoAssetsManager*>(&AAssetsManager)));
    Generator.Build();
    return Generator.FBuffer;
}

// ---------------------------------------------------------------------------------------------
// Filters; each looks at a group's first asset.

bool TqoAssetsConstsGenerator::IsThemeAsset(const TqoAsset& AAsset) const
{
    const QString Path = TqoAssetNameHelper::Path(AAsset.GetName());
    return std::any_of(FThemes.cbegin(), FThemes.cend(),
                       [&](const QString& ATheme) { return Path.startsWith(ATheme, Qt::CaseSensitive); });
}

bool TqoAssetsConstsGenerator::IsNotThemeBitmap(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetBitmapSet::Kind && !IsThemeAsset(AAsset);
}

bool TqoAssetsConstsGenerator::IsNotThemeColor(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetColor::Kind && !IsThemeAsset(AAsset);
}

bool TqoAssetsConstsGenerator::IsFont(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetFont::Kind;
}

bool TqoAssetsConstsGenerator::IsFile(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetFile::Kind;
}

bool TqoAssetsConstsGenerator::IsSVG(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetSVG::Kind;
}

bool TqoAssetsConstsGenerator::IsLottieAnimation(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetLottieAnimation::Kind;
}

bool TqoAssetsConstsGenerator::IsThemeBitmap(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetBitmapSet::Kind && IsThemeAsset(AAsset);
}

bool TqoAssetsConstsGenerator::IsThemeColor(const TqoAsset& AAsset) const
{
    return AAsset.GetKind() == core::TqoAssetColor::Kind && IsThemeAsset(AAsset);
}

bool TqoAssetsConstsGenerator::HasAny(TqoFilter AFilter) const
{
    return std::any_of(FGroups.cbegin(), FGroups.cend(),
                       [&](const TqoAssetGroup& G) { return (this->*AFilter)(*G.First()); });
}

// ---------------------------------------------------------------------------------------------
// Identifiers

QString TqoAssetsConstsGenerator::RemoveThemePrefix(const QString& AName) const
{
    for (const QString& Theme : FThemes) {
        const QString Prefix = Theme + TqoAssetNameHelper::Separator;
        if (AName.startsWith(Prefix, Qt::CaseSensitive))
            return AName.mid(Prefix.size());
    }
    return AName;
}

QString TqoAssetsConstsGenerator::GenerateAssetName(const QString& AName, bool AIsTheme) const
{
    return Normalize(AIsTheme ? RemoveThemePrefix(AName) : AName);
}

QString TqoAssetsConstsGenerator::GenerateThemeName(const QString& ATheme) const
{
    const qsizetype At = ATheme.indexOf(TqoAssetNameHelper::Separator);
    const QString Prefix = At < 0 ? QString() : ATheme.left(At);
    const QString Rest = At < 0 ? ATheme : ATheme.mid(At + 1);
    const auto SameLastLevel = std::count_if(
        FThemes.cbegin(), FThemes.cend(), [&](const QString& T) { return TqoAssetNameHelper::ShortName(T) == Rest; });
    const QString Name =
        SameLastLevel >= 2 ? TqoAssetNameHelper::ShortName(Prefix) + TqoAssetNameHelper::Separator + Rest : Rest;
    QString Result;
    for (QChar C : Name)
        if (IsLetterOrDigit(C))
            Result += C;
    // Used after "TqoTheme" and as a class var name, so it has to be an identifier itself.
    if (Result.isEmpty() || !Result[0].isLetter())
        Result.prepend(QLatin1Char('_'));
    return Result;
}

QString TqoAssetsConstsGenerator::ConstantLine(const TqoAssetGroup& AGroup, bool AIsTheme, bool AWithColorComment) const
{
    QString Line = QStringLiteral("      ") + GenerateAssetName(AGroup.GetName(), AIsTheme).toUpper() +
                   QStringLiteral(" = '") + QuotedText(AGroup.GetName()) + QStringLiteral("';");
    if (Line.size() < CommentColumn)
        Line += QString(CommentColumn - Line.size(), QLatin1Char(' '));
    if (AWithColorComment)
        if (const auto* Color = dynamic_cast<const core::TqoAssetColor*>(AGroup.First().get()))
            Line += QStringLiteral("// ") + core::TqoColorHelper::ToARGBHex(Color->GetColor(), QLatin1Char('#'));
    return Line;
}

std::vector<const TqoAssetGroup*> TqoAssetsConstsGenerator::CurrentThemeGroups(const QString& AKind) const
{
    std::vector<const TqoAssetGroup*> Result;
    if (FThemes.isEmpty())
        return Result;
    const QString Prefix = FThemes.first() + TqoAssetNameHelper::Separator;
    for (const TqoAssetGroup& Group : FGroups) {
        const TqoAsset& First = *Group.First();
        if (First.GetKind() == AKind && IsThemeAsset(First) && Group.GetName().startsWith(Prefix, Qt::CaseSensitive))
            Result.push_back(&Group);
    }
    return Result;
}

// ---------------------------------------------------------------------------------------------
// The unit

void TqoAssetsConstsGenerator::AddSeparator()
{
    if (!FSkipSeparator)
        FBuffer << QString();
    FSkipSeparator = false;
}

void TqoAssetsConstsGenerator::NoteIdentifier(const QString& ARecord, const QString& AIdentifier,
                                              const QString& AAssetName)
{
    // The language ignores letter case, and the identifiers are upper-cased anyway.
    const QString Key = AIdentifier.toUpper();
    if (FIdentifiers.empty() || FIdentifiers.back().first != ARecord)
        FIdentifiers.push_back({ARecord, {}});
    auto& Identifiers = FIdentifiers.back().second;
    const auto It = std::find_if(Identifiers.begin(), Identifiers.end(), [&](const auto& A) { return A.first == Key; });
    if (It == Identifiers.end())
        Identifiers.push_back({Key, {AAssetName}});
    else
        It->second.append(AAssetName);
}

QStringList TqoAssetsConstsGenerator::Collisions() const
{
    QStringList Result;
    for (const auto& [Record, Identifiers] : FIdentifiers)
        for (const auto& [Identifier, Names] : Identifiers)
            if (Names.size() > 1)
                Result << QStringLiteral("Assets \"%1\" all become the identifier %2 in %3 of %4, which then does "
                                         "not compile; rename all but one of them")
                              .arg(Names.join(QStringLiteral("\", \"")), Identifier, Record, UnitFileName);
    return Result;
}

void TqoAssetsConstsGenerator::Build()
{
    FBuffer.clear();
    FIdentifiers.clear();
    FSkipSeparator = false;

    const bool HasThemeColors = HasAny(&TqoAssetsConstsGenerator::IsThemeColor);
    const bool HasThemeBitmaps = HasAny(&TqoAssetsConstsGenerator::IsThemeBitmap);
    const bool HasThemeAssets =
        std::any_of(FGroups.cbegin(), FGroups.cend(), [&](const TqoAssetGroup& G) { return IsThemeAsset(*G.First()); });
    // The public section names TqoCurrentTheme under this condition, so it is declared under it too.
    const bool HasCurrentTheme = HasThemeColors || HasThemeBitmaps;

    FBuffer << QStringLiteral("{*********************************************************************")
            << QStringLiteral(" *") << QStringLiteral(" * This unit was generated automatically!")
            << QStringLiteral(" *")
            << QStringLiteral(" * DO NOT make changes to this file, as they will be lost after updating the assets in ")
            << QStringLiteral(" * Project -> ORVO Assets Manager.") << QStringLiteral(" *")
            << QStringLiteral(
                   " * Use these constants instead of entering asset names in the code. This will help you catch")
            << QStringLiteral(" * situation of assets changes (removing, renaming) in assets designer in compile time.")
            << QStringLiteral(" *")
            << QStringLiteral(" *********************************************************************}") << QString();
    FBuffer << QStringLiteral("unit Assets.Consts;") << QString() << QStringLiteral("interface") << QString()
            << QStringLiteral("{$SCOPEDENUMS ON}") << QString();
    if (HasCurrentTheme)
        FBuffer << QStringLiteral("uses") << QStringLiteral("  ORVO.Assets;") << QString();
    FBuffer << QStringLiteral("type") << QStringLiteral("  /// <summary>Identifiers with application assets.</summary>")
            << QStringLiteral("  TqoAssetsConstants = record") << QStringLiteral("  private type");

    struct TqoSection
    {
        const char* Region;
        const char* Record;
        TqoFilter Filter;
        bool ColorComments;
    };
    static const TqoSection Sections[] = {
        {"    {$REGION 'Bitmaps'}", "    TqoBitmaps = record", &TqoAssetsConstsGenerator::IsNotThemeBitmap, false},
        {"    {$REGION 'Colors'}", "    TqoColors = record", &TqoAssetsConstsGenerator::IsNotThemeColor, true},
        {"    {$REGION 'Fonts'}", "    TqoFonts = record", &TqoAssetsConstsGenerator::IsFont, false},
        {"    {$REGION 'Files'}", "    TqoFiles = record", &TqoAssetsConstsGenerator::IsFile, false},
        {"    {$REGION 'SVG Images'}", "    TqoImages = record", &TqoAssetsConstsGenerator::IsSVG, false},
        {"    {$REGION 'Animations'}", "    TqoLottieAnimations = record", &TqoAssetsConstsGenerator::IsLottieAnimation,
         false},
    };
    for (const TqoSection& Section : Sections) {
        if (!HasAny(Section.Filter))
            continue;
        AddSeparator();
        FBuffer << QString::fromLatin1(Section.Region) << QString::fromLatin1(Section.Record)
                << QStringLiteral("    const");
        const QString Record = QString::fromLatin1(Section.Record).trimmed().section(QLatin1Char(' '), 0, 0);
        for (const TqoAssetGroup& Group : FGroups)
            if ((this->*Section.Filter)(*Group.First())) {
                FBuffer << ConstantLine(Group, false, Section.ColorComments);
                NoteIdentifier(Record, GenerateAssetName(Group.GetName(), false), Group.GetName());
            }
        FBuffer << QStringLiteral("    end;") << QStringLiteral("    {$ENDREGION}");
    }

    if (HasThemeAssets) {
        AddSeparator();
        FBuffer << QStringLiteral("    {$REGION 'Themes'}");
        for (const QString& Theme : FThemes) {
            const QString Prefix = Theme + TqoAssetNameHelper::Separator;
            FBuffer << QStringLiteral("    TqoTheme%1 = record").arg(GenerateThemeName(Theme));
            bool HasConstants = false;
            for (const TqoAssetGroup& Group : FGroups) {
                if (!IsThemeAsset(*Group.First()) || !Group.GetName().startsWith(Prefix, Qt::CaseSensitive))
                    continue;
                // An empty "const" section does not compile; a theme without assets is an empty record.
                if (!HasConstants)
                    FBuffer << QStringLiteral("    const");
                HasConstants = true;
                FBuffer << ConstantLine(Group, true, true);
                NoteIdentifier(QStringLiteral("TqoTheme") + GenerateThemeName(Theme),
                               GenerateAssetName(Group.GetName(), true), Group.GetName());
            }
            FBuffer << QStringLiteral("    end;") << QString();
        }
        FBuffer << QStringLiteral("    TqoThemes = record");
        for (const QString& Theme : FThemes) {
            const QString Name = GenerateThemeName(Theme);
            const QString VarName = LanguageWords.contains(Name, Qt::CaseInsensitive) ? QLatin1Char('&') + Name : Name;
            FBuffer << QStringLiteral("      class var %1: TqoTheme%2;").arg(VarName, Name);
        }
        FBuffer << QStringLiteral("    end;") << QStringLiteral("    {$ENDREGION}");
    }

    if (HasCurrentTheme) {
        AddSeparator();
        FBuffer << QStringLiteral("    {$REGION 'Current Theme'}");
        for (const TqoThemeKind& Kind : CurrentThemeKinds()) {
            const auto Groups = CurrentThemeGroups(Kind.Kind);
            if (Groups.empty())
                continue;
            FBuffer << QStringLiteral("    %1 = record").arg(Kind.RecordName);
            for (const TqoAssetGroup* Group : Groups)
                FBuffer << QStringLiteral("      class function ") +
                               GenerateAssetName(Group->GetName(), true).toUpper() +
                               QStringLiteral(": TqoAssetName; static;");
            FBuffer << QStringLiteral("    end;") << QString();
        }
        FBuffer << QStringLiteral("    TqoCurrentTheme = record");
        for (const TqoThemeKind& Kind : CurrentThemeKinds())
            if (!CurrentThemeGroups(Kind.Kind).empty())
                FBuffer << Kind.Summary << Kind.VarLine;
        FBuffer << QStringLiteral("    end;") << QStringLiteral("    {$ENDREGION}");
    }

    FBuffer << QStringLiteral("  public");
    FSkipSeparator = true;
    struct TqoPublicVar
    {
        bool Condition;
        const char* Summary;
        const char* Declaration;
    };
    const TqoPublicVar Vars[] = {
        {HasAny(&TqoAssetsConstsGenerator::IsNotThemeBitmap),
         "    /// <summary>Identifiers with bitmap assets.</summary>", "    class var Bitmap: TqoBitmaps;"},
        {HasAny(&TqoAssetsConstsGenerator::IsNotThemeColor),
         "    /// <summary>Identifiers with colors assets.</summary>", "    class var Color: TqoColors;"},
        {HasAny(&TqoAssetsConstsGenerator::IsSVG), "    /// <summary>Identifiers with vector assets.</summary>",
         "    class var Image: TqoImages;"},
        {HasAny(&TqoAssetsConstsGenerator::IsFile),
         "    /// <summary>Identifiers with custom user's files assets.</summary>", "    class var &File: TqoFiles;"},
        {HasAny(&TqoAssetsConstsGenerator::IsFont),
         "    /// <summary>Identifiers with custom font files assets.</summary>", "    class var Font: TqoFonts;"},
        {HasAny(&TqoAssetsConstsGenerator::IsLottieAnimation),
         "    /// <summary>Identifiers with Lottie animations assets.</summary>",
         "    class var LottieAnimation: TqoLottieAnimations;"},
        {HasCurrentTheme, "    /// <summary>Identifiers with current theme assets.</summary>",
         "    class var CurrentTheme: TqoCurrentTheme;"},
        {HasThemeAssets, "    /// <summary>Identifiers with themes names.</summary>",
         "    class var Theme: TqoThemes;"},
    };
    for (const TqoPublicVar& Var : Vars) {
        if (!Var.Condition)
            continue;
        AddSeparator();
        FBuffer << QString::fromUtf8(Var.Summary) << QString::fromUtf8(Var.Declaration);
    }

    FBuffer << QStringLiteral("  end;") << QString() << QStringLiteral("var")
            << QStringLiteral("  R: TqoAssetsConstants;") << QString() << QStringLiteral("implementation") << QString();

    if (HasCurrentTheme) {
        FBuffer << QStringLiteral("uses") << QStringLiteral("  ORVO.Application;") << QString();
        for (const auto& [Kind, RecordName] : ImplementationKinds()) {
            for (const TqoAssetGroup* Group : CurrentThemeGroups(Kind)) {
                FBuffer << QStringLiteral("class function TqoAssetsConstants.") + RecordName + QLatin1Char('.') +
                               GenerateAssetName(Group->GetName(), true).toUpper() + QStringLiteral(": TqoAssetName; ")
                        << QStringLiteral("begin")
                        << QStringLiteral(
                               "  Result := Application.ThemeSettings.ThemeName + TqoAsset.ThemeSeparator + '") +
                               QuotedText(RemoveThemePrefix(Group->GetName())) + QStringLiteral("';")
                        << QStringLiteral("end;") << QString();
            }
        }
    }
    FBuffer << QStringLiteral("end.");
}

// ---------------------------------------------------------------------------------------------
// Writing

QByteArray TqoAssetsConstsGenerator::Encode(const QStringList& ALines)
{
    QByteArray Result("\xEF\xBB\xBF");
    for (const QString& Line : ALines) {
        Result += Line.toUtf8();
        Result += "\r\n";
    }
    return Result;
}

void TqoAssetsConstsGenerator::SaveToFile(const QString& AFileName) const
{
    const QByteArray Content = Encode(FBuffer);
    // An unchanged unit is not touched, so saving twice does not make the IDE reload it.
    const QFileInfo Info(AFileName);
    if (Info.isSymLink())
        throw core::EqoFileError(
            AFileName, 0, QStringLiteral("is a symbolic link; the constants unit is never written through links"));
    QFile Existing(AFileName);
    if (Info.size() == Content.size() && Existing.open(QIODevice::ReadOnly) && Existing.readAll() == Content)
        return;
    Existing.close();

    QSaveFile File(AFileName);
    if (!File.open(QIODevice::WriteOnly) || File.write(Content) != Content.size() || !File.commit())
        throw core::EqoFileError(AFileName, 0, QStringLiteral("cannot write the file: %1").arg(File.errorString()));
}

QStringList TqoAssetsConstsGenerator::Generate(bool AIsProjectDestroying)
{
    core::TqoAssert::IsNotNil(FProject, QStringLiteral("FProject"));
    struct TqoReleaseProject
    {
        std::shared_ptr<ide::IOTAProject>& Project;
        ~TqoReleaseProject() { Project.reset(); }
    } Release{FProject};

    Build();
    const QStringList Warnings = Collisions();
    for (const QString& Warning : Warnings)
        core::TqoLog::Warning(LogCategory, QStringLiteral("%1"), Warning);

    const bool IsModule = !AIsProjectDestroying && FProject->FindModuleInfo(UnitFileName);
    const QString FileName = UnitFileNameOf(*FProject, AIsProjectDestroying);
    if (IsModule) {
        SaveToFile(FileName);
        return Warnings;
    }
    core::TqoLog::Trace(LogCategory,
                        QStringLiteral("Сохранение новых констант: projectFileName=\"%1\", fileName=\"%2\", "),
                        QFileInfo(FProject->FileName()).absolutePath(), FileName);
    SaveToFile(FileName);

    if (!AIsProjectDestroying) {
        // The unit is on disk; a project that refuses it only misses the reference.
        try {
            FProject->AddFile(FileName, true);
        } catch (const std::exception& E) {
            core::TqoLog::Trace(LogCategory, QStringLiteral("Cannot add the constants unit to the project: %1"),
                                QString::fromUtf8(E.what()));
        } catch (...) {
        }
    }
    return Warnings;
}

} // namespace orvo

// orvo-assets list/add/remove/rename/copy/set/save/consts/deploy and the registered change
// commands: the Assets Manager's document without its window. A command that changes the project loads the document,
// changes it through the model and saves it as the Assets Manager's Save command does.

#include "ProjectCommands.h"

#include "CommandErrors.h"
#include "Console.h"
#include "OrvoNative.Designtime.h"
#include "SetCommand.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/storage/ORVO.Assets.Constants.Generator.h"
#include "assets/storage/ORVO.Assets.Deployment.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "assets/storage/ORVO.Assets.ProjectLock.h"

#include "ORVO.Colors.h"
#include "ORVO.Log.h"
#include "ToolsAPI.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

using namespace core;
using orvo::TqoAssetsDocument;
using orvo::TqoAssetsModel;

namespace {

const QStringList CCommands = {QStringLiteral("list"),   QStringLiteral("add"),    QStringLiteral("remove"),
                               QStringLiteral("rename"), QStringLiteral("copy"),   QStringLiteral("set"),
                               QStringLiteral("save"),   QStringLiteral("consts"), QStringLiteral("deploy")};

QList<TChangeCommand>& ChangeCommands()
{
    static QList<TChangeCommand> LCommands;
    return LCommands;
}

const TChangeCommand* FindChangeCommand(const QString& AName)
{
    for (const TChangeCommand& LCommand : ChangeCommands())
        if (LCommand.Name == AName)
            return &LCommand;
    return nullptr;
}

struct TOptions
{
    bool DryRun = false;
    bool Progress = false;
    bool Verbose = false;
    std::optional<QString> Color;
    std::optional<QString> Platform;
    std::optional<QString> DeviceClass;
    TSetOptions Edits;
    QStringList Words;
    TChangeRequest Change;
};

TOptions ParseOptions(const QStringList& AArgs, const TChangeCommand* AChange)
{
    TOptions LOptions;
    for (qsizetype I = 0; I < AArgs.size(); ++I) {
        const QString& LArg = AArgs[I];
        const auto LValue = [&]() {
            if (I + 1 >= AArgs.size())
                throw EUsage(QStringLiteral("%1 needs a value").arg(LArg));
            return AArgs[++I];
        };
        // A change command's own options come first: its --size is not set's.
        if (AChange && AChange->ValueOptions.contains(LArg))
            LOptions.Change.Values.insert(LArg, LValue());
        else if (AChange && AChange->FlagOptions.contains(LArg))
            LOptions.Change.Flags.insert(LArg);
        else if (AChange && LArg == QLatin1String("--into")) {
            const QString LInto = LValue();
            try {
                LOptions.Change.Into = TqoAssetsModel::NormalizeAssetName(LInto) + TqoAssetNameHelper::Separator;
            } catch (const orvo::EqoAssetNameError& E) {
                throw EUsage(QStringLiteral("--into: %1").arg(QString::fromUtf8(E.what())));
            }
        } else if (LArg == QLatin1String("--dry-run"))
            LOptions.DryRun = true;
        else if (LArg == QLatin1String("--progress"))
            LOptions.Progress = true;
        else if (LArg == QLatin1String("--verbose"))
            LOptions.Verbose = true;
        else if (LArg == QLatin1String("--color"))
            LOptions.Color = LValue();
        else if (LArg == QLatin1String("--platform"))
            LOptions.Platform = LValue();
        else if (LArg == QLatin1String("--device-class"))
            LOptions.DeviceClass = LValue();
        else if (IsSetOption(LArg))
            LOptions.Edits.append({LArg, LValue()});
        else if (LArg == QLatin1String("--")) {
            // Everything after "--" is a word, also when it starts with dashes.
            LOptions.Words.append(AArgs.mid(I + 1));
            break;
        } else if (LArg.startsWith(QLatin1String("--")))
            throw EUsage(QStringLiteral("unknown option \"%1\"").arg(LArg));
        else
            LOptions.Words.append(LArg);
    }
    return LOptions;
}

// A value of a runtime enumeration given by its key ("phone-small"), its name ("PhoneSmall")
// or its ordinal.
template <typename T>
T ParseEnum(const QString& AText, int ACount, QString (*AKey)(T), const char* const* ANames, const char* AWhat)
{
    bool LIsNumber = false;
    const int LOrdinal = AText.toInt(&LIsNumber);
    if (LIsNumber && LOrdinal >= 0 && LOrdinal < ACount)
        return T(LOrdinal);
    for (int I = 0; I < ACount; ++I)
        if (AText.compare(AKey(T(I)), Qt::CaseInsensitive) == 0 ||
            AText.compare(QLatin1String(ANames[I]), Qt::CaseInsensitive) == 0)
            return T(I);
    QStringList LKeys;
    for (int I = 0; I < ACount; ++I)
        LKeys << AKey(T(I));
    throw EUsage(QStringLiteral("unknown %1 \"%2\" (one of %3, or 0 to %4)")
                     .arg(QLatin1String(AWhat), AText, LKeys.join(QStringLiteral(", ")))
                     .arg(ACount - 1));
}

TqoPlatform ParsePlatform(const QString& AText)
{
    static const char* const LNames[] = {"All", "Android", "iOS"};
    return ParseEnum<TqoPlatform>(AText, TqoPlatformCount, &TqoTargetNames::PlatformKey, LNames, "platform");
}

TqoDeviceClass ParseDeviceClass(const QString& AText)
{
    static const char* const LNames[] = {"All", "PhoneSmall", "PhoneNormal", "PhoneLarge", "Tablet", "Watch"};
    return ParseEnum<TqoDeviceClass>(AText, TqoDeviceClassCount, &TqoTargetNames::DeviceClassKey, LNames,
                                     "device class");
}

const orvo::TqoAssetsEditorsManager& Editors()
{
    orvo::AssetsEditorsInitialization();
    return *orvo::TqoAssetsEditorsManager::Instance();
}

QString Relative(const QString& AFolder, const QString& AFileName) { return QDir(AFolder).relativeFilePath(AFileName); }

// One project opened as the IDE opens it, with the Assets Manager's document on it.
class TSession
{
public:
    TSession(const QString& AProjectFile, const TOptions& AOptions) : FOptions(AOptions)
    {
        if (!QFileInfo(AProjectFile).isFile())
            throw ECommand(QStringLiteral("no such project file"));
        // Held from the load to the save, so that a second command on the project waits.
        FLock.emplace(QFileInfo(AProjectFile).absoluteFilePath());
        // Opened as in the IDE with the package loaded: the package keeps an asset manager per
        // open project, which the form designer reads and the constants unit is made from.
        Initialize();
        FProject = std::static_pointer_cast<ide::TDprojProject>(
            ide::ModuleServices().OpenProject(QFileInfo(AProjectFile).absoluteFilePath()));
        FFolder = QFileInfo(FProject->FileName()).absolutePath();
        FDocument.SetProject(FProject);
    }

    ~TSession() { ide::ModuleServices().CloseProject(FProject); }

    int Run(const QString& ACommand)
    {
        const QStringList& W = FOptions.Words;
        if (ACommand == QLatin1String("list"))
            return List();
        if (ACommand == QLatin1String("consts"))
            return Consts();
        if (ACommand == QLatin1String("deploy"))
            return Deploy();
        // The final name is printed once the save has written it: a refused save prints its
        // error alone, so a script never takes a name that was not saved.
        QString LName;
        if (const TChangeCommand* LChange = FindChangeCommand(ACommand)) {
            FOptions.Change.Words = W.mid(1);
            return Save(LChange->Apply(Model(), FOptions.Change));
        }
        if (ACommand == QLatin1String("add"))
            LName = Add(W[1], W[2], W.value(3));
        else if (ACommand == QLatin1String("remove"))
            Remove(W[1]);
        else if (ACommand == QLatin1String("rename"))
            LName = Rename(W[1], W[2]);
        else if (ACommand == QLatin1String("copy"))
            LName = Copy(W[1]);
        else if (ACommand == QLatin1String("set"))
            Set(W[1]);
        return Save(LName.isEmpty() ? QStringList() : QStringList{LName});
    }

private:
    TqoAssetsModel& Model() { return FDocument.GetModel(); }
    TqoAssetsManager& Manager() { return FDocument.GetAssetsManager(); }

    int List()
    {
        TqoAssetList LAssets = Manager().GetAllAssets();
        std::stable_sort(LAssets.begin(), LAssets.end(), TqoAssetComparer());
        for (const TqoAssetPtr& LAsset : LAssets) {
            QString LInfo;
            try {
                LInfo = Editors().Editors(LAsset->GetKind())->GetAdditionalInfo(LAsset.get());
            } catch (const std::exception& E) {
                TqoLog::Warning(TqoAssetsDocument::LogCategory,
                                QStringLiteral("No description: Asset=%1, Message=\"%2\""), LAsset->ToString(),
                                QString::fromUtf8(E.what()));
            }
            Out() << LAsset->GetName() << '\t' << LAsset->GetKind() << '\t'
                  << TqoTargetNames::PlatformKey(LAsset->GetPlatform()) << '\t'
                  << TqoTargetNames::DeviceClassKey(LAsset->GetDeviceClass()) << '\t' << LInfo << '\n';
        }
        return 0;
    }

    QString Add(const QString& AKind, const QString& AName, const QString& AFile)
    {
        const QString LName = TqoAssetsModel::NormalizeAssetName(AName);
        QString LFile;
        if (!AFile.isEmpty()) {
            if (!QFileInfo(AFile).isFile())
                throw ECommand(QStringLiteral("%1: no such file").arg(AFile));
            LFile = QFileInfo(AFile).absoluteFilePath();
        }
        TqoAlphaColor LColor = 0;
        if (AKind == TqoAssetColor::Kind && !TqoColorHelper::TryParse(*FOptions.Color, LColor))
            throw EUsage(QStringLiteral("\"%1\" is not a color (#AARRGGBB)").arg(*FOptions.Color));

        const bool LVariant = FOptions.Platform || FOptions.DeviceClass;
        const TqoPlatform LPlatform = FOptions.Platform ? ParsePlatform(*FOptions.Platform) : TqoPlatform::All;
        const TqoDeviceClass LDeviceClass =
            FOptions.DeviceClass ? ParseDeviceClass(*FOptions.DeviceClass) : TqoDeviceClass::All;
        const QString LFinalName = LVariant ? LName : Model().GenerateAssetName(LName);

        std::shared_ptr<TqoAsset> LAsset;
        if (LFile.isEmpty()) {
            LAsset = TqoAssetKinds::CreateEmpty(AKind, LFinalName, LPlatform, LDeviceClass);
        } else {
            LAsset = TqoAssetsModel::CreateFromFile(AKind, LFinalName, LFile);
            if (!LAsset)
                throw ECommand(
                    QStringLiteral("%1: no asset kind takes this file%2")
                        .arg(LFile, AKind == QLatin1String("auto") ? QString() : QStringLiteral(" as ") + AKind));
            if (LVariant)
                LAsset = LAsset->Clone(LFinalName, LPlatform, LDeviceClass);
        }
        if (auto LColorAsset = std::dynamic_pointer_cast<TqoAssetColor>(LAsset))
            LColorAsset->SetColor(LColor);
        if (LVariant)
            Model().AddVariant(LAsset);
        else
            Model().AddAsset(LAsset);
        return LFinalName;
    }

    // "Icons/" and "Icons\" name a folder; the result keeps its trailing backslash.
    static QString NormalizePath(const QString& APath, bool& AIsFolder)
    {
        AIsFolder = APath.endsWith(QLatin1Char('\\')) || APath.endsWith(QLatin1Char('/'));
        const QString LName = TqoAssetsModel::NormalizeAssetName(APath);
        return AIsFolder ? LName + TqoAssetNameHelper::Separator : LName;
    }

    QStringList NamesBelow(const QString& APath) const
    {
        return FDocument.GetAssetsManager().GetAssetsNames(
            [&](const QString& AName) { return AName.startsWith(APath); });
    }

    void Remove(const QString& AName)
    {
        bool LIsFolder = false;
        const QString LPath = NormalizePath(AName, LIsFolder);
        if (LIsFolder ? NamesBelow(LPath).isEmpty() : !Manager().Contains(LPath))
            throw ECommand(QStringLiteral("no such asset%1: name=\"%2\"")
                               .arg(LIsFolder ? QStringLiteral(" folder") : QString(), LPath));
        Model().RemovePath(LPath);
    }

    QString Rename(const QString& AOldName, const QString& ANewName)
    {
        bool LOldIsFolder = false;
        bool LNewIsFolder = false;
        const QString LOld = NormalizePath(AOldName, LOldIsFolder);
        QString LNew = NormalizePath(ANewName, LNewIsFolder);
        if (LOldIsFolder) {
            if (NamesBelow(LOld).isEmpty())
                throw ECommand(QStringLiteral("no such asset folder: name=\"%1\"").arg(LOld));
            if (!LNewIsFolder)
                LNew += TqoAssetNameHelper::Separator;
            Model().RenamePath(LOld, LNew);
            return LNew;
        }
        if (!Manager().Contains(LOld))
            throw ECommand(QStringLiteral("no such asset: name=\"%1\"").arg(LOld));
        if (LNewIsFolder)
            throw EUsage(QStringLiteral("an asset is renamed to a name, not to a folder: \"%1\"").arg(ANewName));
        QString LFinal = LOld;
        Model().SetOnAssetRenamed([&](const QString&, const QString& ANew) { LFinal = ANew; });
        Model().Rename(LOld, LNew);
        Model().SetOnAssetRenamed(nullptr);
        return LFinal;
    }

    QString Copy(const QString& AName)
    {
        const QString LName = TqoAssetsModel::NormalizeAssetName(AName);
        const TqoAssetPtr LCopy = Model().Copy(LName);
        if (!LCopy)
            throw ECommand(QStringLiteral("no such asset: name=\"%1\"").arg(LName));
        return LCopy->GetName();
    }

    void Set(const QString& AName)
    {
        const QString LName = TqoAssetsModel::NormalizeAssetName(AName);
        const TqoPlatform LPlatform = FOptions.Platform ? ParsePlatform(*FOptions.Platform) : TqoPlatform::All;
        const TqoDeviceClass LDeviceClass =
            FOptions.DeviceClass ? ParseDeviceClass(*FOptions.DeviceClass) : TqoDeviceClass::All;
        const TqoAssetPtr LAsset = Manager().Find(LName, LPlatform, LDeviceClass);
        if (!LAsset)
            throw ECommand(QStringLiteral("no such asset variant: name=\"%1\", target=\"%2\"")
                               .arg(LName, TqoAsset::GetTargetId(LPlatform, LDeviceClass)));
        ApplySetEdits(*LAsset, ParseSetEdits(FOptions.Edits));
        FDocument.MarkModified();
    }

    QString ConstsFileName() const
    {
        if (const auto LModule = FProject->FindModuleInfo(orvo::TqoAssetsConstsGenerator::UnitFileName))
            return LModule->FileName();
        return QDir(FFolder).filePath(orvo::TqoAssetsConstsGenerator::UnitFileName);
    }

    int DeploymentEntries(const QString& AClass) const
    {
        const auto LDeployment = FProject->ProjectDeployment();
        if (!LDeployment)
            return 0;
        int LCount = 0;
        for (const auto& LFile : LDeployment->Files())
            LCount += LFile->DeploymentClass() == AClass;
        return LCount;
    }

    void SaveProject()
    {
        if (FProject->IsModified())
            FProject->Save();
    }

    int Consts()
    {
        orvo::TqoAssetsConstsGenerator::GenerateAssetsConsts(FProject, false);
        SaveProject();
        Out() << "constants: " << Relative(FFolder, ConstsFileName()) << "\n";
        return 0;
    }

    int Deploy()
    {
        orvo::TqoAssetsDeployment LDeployment(FProject);
        LDeployment.AddToDeploy(FDocument.GetAssetsManager());
        SaveProject();
        PrintDeployment();
        return 0;
    }

    void PrintDeployment()
    {
        const int LAssets = DeploymentEntries(orvo::TqoAssetsDeployment::AssetsClass);
        const int LConfig = DeploymentEntries(orvo::TqoAssetsDeployment::AssetsConfigClass);
        Out() << "deployment entries: " << LAssets + LConfig << " (" << orvo::TqoAssetsDeployment::AssetsClass << " "
              << LAssets << ", " << orvo::TqoAssetsDeployment::AssetsConfigClass << " " << LConfig << ")\n";
    }

    int Save(const QStringList& AFinalNames = {})
    {
        QElapsedTimer LTimer;
        LTimer.start();
        const bool LTerminal = isatty(fileno(stderr));
        bool LShown = false;
        Model().SetOnSaveProgress([&](int ADone, int ATotal, const QString& AName) {
            // Short saves stay quiet on a terminal; --progress shows every step.
            if (!FOptions.Progress && !(LTerminal && LTimer.elapsed() > 500))
                return;
            constexpr int LWidth = 30;
            const int LFilled = ATotal > 0 ? ADone * LWidth / ATotal : LWidth;
            Err() << '\r' << '[' << QString(LFilled, QLatin1Char('#')) << QString(LWidth - LFilled, QLatin1Char(' '))
                  << "] " << ADone << '/' << ATotal << ' ' << AName.left(40).leftJustified(40);
            if (!LTerminal)
                Err() << '\n';
            Err().flush();
            LShown = true;
        });
        const orvo::TqoAssetsSaveResult LResult = FDocument.Save(false);
        Model().SetOnSaveProgress(nullptr);
        if (LShown && LTerminal)
            Err() << '\n';
        SaveProject();

        for (const QString& LName : AFinalNames)
            Out() << LName << "\n";
        Out() << (FOptions.DryRun ? "would save: " : "saved: ") << QFileInfo(FProject->FileName()).fileName() << "\n";
        Out() << "assets: " << LResult.AssetsCount << " variants of " << Manager().GetAssetsNames().size()
              << " names\n";
        Out() << "files written or kept: " << LResult.KeptFiles.size() << "\n";
        Out() << "files written: " << LResult.WrittenFiles.size() << ", unchanged: " << LResult.UnchangedFiles.size()
              << ", deleted: " << LResult.DeletedFiles.size() << "\n";
        for (const QString& LWarning : LResult.Warnings)
            Err() << "orvo-assets: warning: " << LWarning << "\n";
        Out() << "files deleted: " << LResult.DeletedFiles.size() << "\n";
        for (const QString& LFile : LResult.DeletedFiles)
            Out() << "  - " << Relative(FFolder, LFile) << "\n";
        if (!LResult.RemovedFolders.isEmpty())
            Out() << "folders removed: " << LResult.RemovedFolders.size() << "\n";
        PrintDeployment();
        Out() << "constants: " << Relative(FFolder, ConstsFileName()) << "\n";
        if (!LResult.FailedAssets.isEmpty()) {
            Err() << "orvo-assets: " << FProject->FileName() << ": the files of " << LResult.FailedAssets.size()
                  << " assets could not be stored:\n";
            for (const QString& LAsset : LResult.FailedAssets)
                Err() << "  " << LAsset << "\n";
            return 1;
        }
        return 0;
    }

    TOptions FOptions;
    std::shared_ptr<ide::TDprojProject> FProject;
    QString FFolder;
    std::optional<orvo::TqoProjectLock> FLock;
    TqoAssetsDocument FDocument;
};

// --dry-run: the command runs on a scratch copy of what it may write (the project file, its
// main source, the constants unit and the Assets folder); everything else of the project is
// linked in so that sources outside Assets resolve. The copy is then compared with the project.
class TScratchProject
{
public:
    explicit TScratchProject(const QString& AProjectFile)
    {
        if (!FDir.isValid())
            throw ECommand(QStringLiteral("cannot create a scratch folder for the dry run"));
        const QFileInfo LInfo(AProjectFile);
        FFolder = LInfo.absolutePath();
        {
            const auto LProject = ide::TDprojProject::Open(LInfo.absoluteFilePath());
            FWritable << LInfo.fileName();
            const QString LMain = LProject->MainSourceFileName();
            if (!LMain.isEmpty()) {
                const QString LRelative = Relative(FFolder, LMain);
                if (LRelative.startsWith(QLatin1String("..")))
                    throw ECommand(QStringLiteral("%1: the main source lies outside the project folder, so a dry run "
                                                  "cannot keep it untouched")
                                       .arg(LMain));
                FWritable << LRelative;
            }
        }
        FWritable << orvo::TqoAssetsConstsGenerator::UnitFileName;
        for (QDirIterator LIt(QDir(FFolder).filePath(QStringLiteral("Assets")),
                              QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
             LIt.hasNext();)
            FWritable << Relative(FFolder, LIt.next());

        QSet<QString> LTop;
        for (const QString& LFile : FWritable) {
            LTop.insert(LFile.section(QLatin1Char('/'), 0, 0));
            const QString LSource = QDir(FFolder).filePath(LFile);
            if (!QFileInfo::exists(LSource))
                continue;
            const QString LTarget = FDir.filePath(LFile);
            QDir().mkpath(QFileInfo(LTarget).path());
            if (!QFile::copy(LSource, LTarget))
                throw ECommand(QStringLiteral("%1: cannot copy for the dry run").arg(LSource));
        }
        LTop.insert(QStringLiteral("Assets"));
        for (const QFileInfo& LEntry :
             QDir(FFolder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            if (!LTop.contains(LEntry.fileName()))
                QFile::link(LEntry.absoluteFilePath(), FDir.filePath(LEntry.fileName()));
        FProjectFile = FDir.filePath(LInfo.fileName());
    }

    QString ProjectFile() const { return FProjectFile; }
    QString RealPaths(QString AText) const { return AText.replace(FDir.path(), FFolder); }

    // "create", "change" and "delete" lines, relative to the project folder.
    QStringList Changes() const
    {
        QStringList LLines;
        QSet<QString> LSeen;
        for (QDirIterator LIt(FDir.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
             LIt.hasNext();) {
            const QString LFile = LIt.next();
            if (LIt.fileInfo().isSymLink())
                continue;
            const QString LRelative = Relative(FDir.path(), LFile);
            if (!FWritable.contains(LRelative) && !LRelative.startsWith(QLatin1String("Assets/")) &&
                LRelative != orvo::TqoAssetsConstsGenerator::UnitFileName)
                continue; // reached through a link: not ours
            LSeen.insert(LRelative);
            const QString LReal = QDir(FFolder).filePath(LRelative);
            if (!QFileInfo::exists(LReal))
                LLines << QStringLiteral("create ") + LRelative;
            else if (ReadAll(LReal) != ReadAll(LFile))
                LLines << QStringLiteral("change ") + LRelative;
        }
        for (const QString& LRelative : FWritable)
            if (!LSeen.contains(LRelative) && QFileInfo::exists(QDir(FFolder).filePath(LRelative)))
                LLines << QStringLiteral("delete ") + LRelative;
        LLines.sort();
        return LLines;
    }

private:
    static QByteArray ReadAll(const QString& AFileName)
    {
        QFile LFile(AFileName);
        return LFile.open(QIODevice::ReadOnly) ? LFile.readAll() : QByteArray();
    }

    QTemporaryDir FDir;
    QString FFolder;
    QString FProjectFile;
    QStringList FWritable;
};

void CheckWords(const QString& ACommand, const TOptions& AOptions)
{
    const qsizetype N = AOptions.Words.size();
    const auto LNeed = [&](qsizetype AMin, qsizetype AMax, const char* AShape) {
        if (N < AMin || N > AMax)
            throw EUsage(QStringLiteral("usage: orvo-assets %1 %2").arg(ACommand, QLatin1String(AShape)));
    };
    if (!AOptions.Edits.isEmpty() && ACommand != QLatin1String("set"))
        throw EUsage(QStringLiteral("%1 is an option of set").arg(AOptions.Edits.first().first));
    if (ACommand == QLatin1String("add")) {
        LNeed(3, 4, "PROJECT.dproj KIND NAME [FILE]");
        const QString& LKind = AOptions.Words[1];
        if (LKind != QLatin1String("auto") && !TqoAssetKinds::IsKnown(LKind))
            throw EUsage(QStringLiteral("unknown kind \"%1\" (one of %2, auto)")
                             .arg(LKind, TqoAssetKinds::Keys().join(QStringLiteral(", "))));
        const bool LHasFile = N == 4;
        if (LKind == QLatin1String("auto") && !LHasFile)
            throw EUsage(QStringLiteral("add auto needs a FILE"));
        if ((LKind == TqoAssetColor::Kind || LKind == TqoAssetThemeContainer::Kind) && LHasFile)
            throw EUsage(QStringLiteral("a %1 asset takes no FILE").arg(LKind));
        if ((LKind == TqoAssetColor::Kind) != AOptions.Color.has_value())
            throw EUsage(LKind == TqoAssetColor::Kind ? QStringLiteral("add color needs --color #AARRGGBB")
                                                      : QStringLiteral("--color is for color assets"));
    } else if (ACommand == QLatin1String("set")) {
        LNeed(2, 2, "PROJECT.dproj NAME EDITS");
        if (AOptions.Color)
            throw EUsage(QStringLiteral("--color is for add; set changes a bitmap set's tint with --tint"));
        ParseSetEdits(AOptions.Edits);
    } else if (AOptions.Color || AOptions.Platform || AOptions.DeviceClass) {
        throw EUsage(QStringLiteral("--color is an option of add, --platform and --device-class of add and set"));
    } else if (const TChangeCommand* LChange = FindChangeCommand(ACommand)) {
        const qsizetype LMax = LChange->MaxWords < 0 ? std::numeric_limits<qsizetype>::max() : 1 + LChange->MaxWords;
        if (N < 1 + LChange->MinWords || N > LMax)
            throw EUsage(QStringLiteral("usage: orvo-assets %1 %2").arg(ACommand, LChange->Shape));
    } else if (ACommand == QLatin1String("remove") || ACommand == QLatin1String("copy")) {
        LNeed(2, 2, "PROJECT.dproj NAME");
    } else if (ACommand == QLatin1String("rename")) {
        LNeed(3, 3, "PROJECT.dproj OLD NEW");
    } else {
        LNeed(1, 1, "PROJECT.dproj");
    }
    if (AOptions.DryRun && ACommand == QLatin1String("list"))
        throw EUsage(QStringLiteral("list changes nothing; --dry-run does not apply"));
}

} // namespace

bool IsProjectCommand(const QString& ACommand) { return CCommands.contains(ACommand) || FindChangeCommand(ACommand); }

void RegisterChangeCommand(TChangeCommand ACommand) { ChangeCommands().append(std::move(ACommand)); }

static QString ChangeCommandsUsage()
{
    QString LText;
    for (const TChangeCommand& LCommand : ChangeCommands())
        LText += LCommand.Usage;
    if (!ChangeCommands().isEmpty())
        LText += QStringLiteral("      --into FOLDER             the asset folder that takes the new assets\n");
    return LText;
}

QString ProjectCommandsUsage()
{
    return QStringLiteral(R"(Project commands (PROJECT.dproj; the assets are those of its Assets folder):
  list PROJECT                  one line per asset variant: name, kind, platform,
                                device class, description (tab-separated)
  add PROJECT KIND NAME [FILE]  a new asset; KIND is color (with --color #AARRGGBB),
                                bitmap-set, font, file, lottie-json, style, svg,
                                theme-container, or auto (FILE decides); a taken NAME
                                gets a counter; prints the final name
      --platform P              with --device-class D: a variant of NAME for that
      --device-class D          platform and device class (keys, names or ordinals)
  remove PROJECT NAME           NAME ending in a backslash removes a folder
  rename PROJECT OLD NEW        prints the final name; OLD ending in a backslash
                                moves a folder
  copy PROJECT NAME             prints the copy's name
  set PROJECT NAME EDITS        edits an asset as its picker in the Assets Manager
                                does (the variant of --platform and --device-class,
                                all and all by default):
      --size WxH                an SVG asset's size
      --cap-insets L,T,R,B      with --scale S: the cap insets of a bitmap set's
      --scale S                 scale S, carried to every scale with its tint
      --tint #AARRGGBB          a bitmap set's tint (of every scale, or of --scale
                                S and carried)
      --file-location N         a file asset's: 0 private, 1 public documents
      --extraction-rule N       a file asset's: 0 overwrite, 1 skip, 2 raise
      --file PATH               the file of a file, font, lottie-json or svg asset,
                                or with --scale S of a bitmap set's scale
  save PROJECT                  files, configuration files, stale files, deployment
                                entries and Assets.Consts.pas
  consts PROJECT                only Assets.Consts.pas
  deploy PROJECT                only the deployment entries
)") + ChangeCommandsUsage() +
           QStringLiteral(R"(  --dry-run                     show what would change, write nothing
  --progress                    progress on stderr also when it is not a terminal
  --verbose                     the assets designer's log on stderr
Exit status: 0 done, 1 failed, 2 bad usage.
)");
}

int RunProjectCommand(const QString& ACommand, QStringList AArgs)
{
    TOptions LOptions;
    try {
        LOptions = ParseOptions(AArgs, FindChangeCommand(ACommand));
        CheckWords(ACommand, LOptions);
    } catch (const EUsage& E) {
        Err() << "orvo-assets: " << E.what() << "\n";
        return 2;
    }
    TqoLog::SetMinimumLevel(LOptions.Verbose ? TqoLogLevel::Trace : TqoLogLevel::Warning);
    orvo::AssetsEditorsInitialization();
    const QString LProjectFile = LOptions.Words.first();
    try {
        if (!LOptions.DryRun)
            return TSession(LProjectFile, LOptions).Run(ACommand);
        if (!QFileInfo(LProjectFile).isFile())
            throw ECommand(QStringLiteral("no such project file"));
        const TScratchProject LScratch(LProjectFile);
        int LResult = 0;
        try {
            LResult = TSession(LScratch.ProjectFile(), LOptions).Run(ACommand);
        } catch (const EUsage&) {
            throw;
        } catch (const std::exception& E) {
            // Name the project's own files, not their scratch copies.
            Err() << "orvo-assets: " << LScratch.RealPaths(QString::fromUtf8(E.what())) << "\n";
            return 1;
        }
        const QStringList LChanges = LScratch.Changes();
        Out() << "dry run, nothing written; "
              << (LChanges.isEmpty() ? QStringLiteral("no file would change") : QStringLiteral("would:")) << "\n";
        for (const QString& LLine : LChanges)
            Out() << "  " << LLine << "\n";
        return LResult;
    } catch (const EUsage& E) {
        Err() << "orvo-assets: " << E.what() << "\n";
        return 2;
    } catch (const EqoFileError& E) {
        Err() << "orvo-assets: " << E.what() << "\n";
        return 1;
    } catch (const std::exception& E) {
        Err() << "orvo-assets: " << LProjectFile << ": " << E.what() << "\n";
        return 1;
    }
}

// TDprojProject: a project backed by a .dproj file.

#include "ToolsAPI.Project.h"

#include "ToolsAPI.BuildConfigurations.h"
#include "ToolsAPI.Deployment.h"
#include "ToolsAPI.UsesClause.h"
#include "Xml.Lossless.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace ide {

using xml::EXmlError;
using xml::TXmlElement;

namespace tools {

bool SameText(const QString& A, const QString& B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

QString ToNativeSeparators(QString APath) { return APath.replace(QLatin1Char('\\'), QLatin1Char('/')); }

// Project files name files relative to the project folder with backslashes.
QString ResolveFileName(const QString& AFolder, const QString& AName)
{
    return QDir::cleanPath(QDir(AFolder).absoluteFilePath(ToNativeSeparators(AName)));
}

QString RelativeProjectPath(const QString& AFolder, const QString& AAbsolute)
{
    return QDir(AFolder).relativeFilePath(AAbsolute).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

bool SameFile(const QString& A, const QString& B) { return SameText(ToNativeSeparators(A), ToNativeSeparators(B)); }

// The IDE sorts named lists with CompareText: ASCII upper-cased, then ordinal, so '_' sorts
// after the letters.
int CompareText(const QString& A, const QString& B)
{
    const QByteArray UA = A.toUtf8().toUpper();
    const QByteArray UB = B.toUtf8().toUpper();
    return UA.compare(UB);
}

TXmlElement* NextElementSibling(TXmlElement* AElement)
{
    const auto Siblings = AElement->Parent()->Elements();
    const auto It = std::find(Siblings.begin(), Siblings.end(), AElement);
    return (It == Siblings.end() || It + 1 == Siblings.end()) ? nullptr : *(It + 1);
}

// The first PropertyGroup without a condition holds the project's identity.
TXmlElement* MainPropertyGroup(TXmlElement* ARoot)
{
    for (TXmlElement* Group : ARoot->Elements(QStringLiteral("PropertyGroup")))
        if (!Group->HasAttribute(QStringLiteral("Condition")))
            return Group;
    return nullptr;
}

QString MainProperty(TXmlElement* ARoot, const QString& AName)
{
    TXmlElement* Group = MainPropertyGroup(ARoot);
    TXmlElement* Property = Group ? Group->FirstElement(AName) : nullptr;
    return Property ? Property->Text().trimmed() : QString();
}

} // namespace tools

using namespace tools;

namespace {

class TModuleInfo final : public IOTAModuleInfo
{
public:
    TModuleInfo(QString AFileName, QString AFormName) : FFileName(std::move(AFileName)), FFormName(std::move(AFormName))
    {
    }
    QString FileName() const override { return FFileName; }
    QString FormName() const override { return FFormName; }

private:
    QString FFileName;
    QString FFormName;
};

} // namespace

// ---------------------------------------------------------------------------------------
// TDprojProject

std::shared_ptr<TDprojProject> TDprojProject::Open(const QString& AFileName)
{
    auto Project = std::shared_ptr<TDprojProject>(new TDprojProject());
    Project->FFileName = QFileInfo(AFileName).absoluteFilePath();
    Project->FDocument = xml::TXmlDocument::LoadFromFile(Project->FFileName);
    TXmlElement* Root = Project->FDocument->Root();
    if (Root->Name() != QLatin1String("Project"))
        throw EXmlError(Project->FFileName, Root->Line(), 1,
                        QStringLiteral("the root element is <%1>, a project file has <Project>").arg(Root->Name()));
    return Project;
}

TDprojProject::~TDprojProject() = default;

TXmlElement* TDprojProject::Root() const { return FDocument->Root(); }

QString TDprojProject::ProjectGUID() const
{
    for (TXmlElement* Group : Root()->Elements(QStringLiteral("PropertyGroup")))
        if (TXmlElement* Guid = Group->FirstElement(QStringLiteral("ProjectGuid")))
            return Guid->Text().trimmed();
    return {};
}

QString TDprojProject::ProjectType() const { return MainProperty(Root(), QStringLiteral("FrameworkType")); }

QString TDprojProject::MainSourceFileName() const
{
    const QString MainSource = MainProperty(Root(), QStringLiteral("MainSource"));
    if (MainSource.isEmpty())
        return {};
    return ResolveFileName(QFileInfo(FFileName).absolutePath(), MainSource);
}

std::shared_ptr<IOTAModuleInfo> TDprojProject::FindModuleInfo(const QString& AFileName) const
{
    const QString Folder = QFileInfo(FFileName).absolutePath();
    const QString Wanted = ResolveFileName(Folder, AFileName);
    const QString MainSource = MainSourceFileName();
    if (!MainSource.isEmpty() && SameFile(MainSource, Wanted))
        return std::make_shared<TModuleInfo>(MainSource, QString());
    for (TXmlElement* Group : Root()->Elements(QStringLiteral("ItemGroup"))) {
        for (TXmlElement* Reference : Group->Elements(QStringLiteral("DCCReference"))) {
            const QString Unit = ResolveFileName(Folder, Reference->Attribute(QStringLiteral("Include")));
            if (!SameFile(Unit, Wanted))
                continue;
            TXmlElement* Form = Reference->FirstElement(QStringLiteral("Form"));
            return std::make_shared<TModuleInfo>(Unit, Form ? Form->Text() : QString());
        }
    }
    return nullptr;
}

namespace {

bool IsInsideFolder(const QString& AFolder, const QString& AFileName)
{
    const QString Relative = QDir(AFolder).relativeFilePath(AFileName);
    return !Relative.startsWith(QLatin1String("..")) && !QDir::isAbsolutePath(Relative);
}

// Why AFileName cannot be replaced by a new file, empty when it can. A link is never written
// through: its target may lie anywhere.
QString CannotReplace(const QString& AFileName)
{
    const QFileInfo Info(AFileName);
    if (Info.isSymLink())
        return QStringLiteral("%1 is a symbolic link; it is not written through").arg(AFileName);
    if (Info.exists() && !Info.isWritable())
        return QStringLiteral("%1 is read-only").arg(AFileName);
    const QFileInfo Folder(Info.absolutePath());
    if (!Folder.isDir() || !Folder.isWritable())
        return QStringLiteral("the folder of %1 is not writable").arg(AFileName);
    return {};
}

} // namespace

void TDprojProject::AddFile(const QString& AFileName, bool AIsUnitOrForm)
{
    const QString Folder = QFileInfo(FFileName).absolutePath();
    const QString Absolute = ResolveFileName(Folder, AFileName);
    bool Changed = false;

    if (!FindModuleInfo(Absolute)) {
        // The items go to the ItemGroup that holds the sources, after the last unit.
        TXmlElement* Target = nullptr;
        for (TXmlElement* Group : Root()->Elements(QStringLiteral("ItemGroup"))) {
            if (Group->FirstElement(QStringLiteral("DelphiCompile")) ||
                Group->FirstElement(QStringLiteral("DCCReference"))) {
                Target = Group;
                break;
            }
        }
        if (!Target)
            throw EXmlError(FFileName, 0, 0, QStringLiteral("the project has no ItemGroup with sources"));
        TXmlElement* After = nullptr;
        for (TXmlElement* Item : Target->Elements())
            if (Item->Name() == QLatin1String("DCCReference") || Item->Name() == QLatin1String("DelphiCompile"))
                After = Item;
        TXmlElement* Next = After ? NextElementSibling(After) : nullptr;
        TXmlElement* Reference = Next ? Target->InsertElementBefore(Next, QStringLiteral("DCCReference"))
                                      : Target->AppendElement(QStringLiteral("DCCReference"));
        Reference->SetAttribute(QStringLiteral("Include"), RelativeProjectPath(Folder, Absolute));
        Changed = true;
    }

    QString MainSource = MainSourceFileName();
    if (AIsUnitOrForm && !MainSource.isEmpty() && !IsInsideFolder(Folder, MainSource)) {
        // A project may name any file as its main source; we edit only what lies in its folder.
        AddTitleMessage(QStringLiteral("%1: the main source %2 lies outside the project folder and is left alone; "
                                       "add %3 to its uses clause by hand")
                            .arg(FFileName, MainSource, QFileInfo(Absolute).completeBaseName()));
        MainSource.clear();
    }
    if (AIsUnitOrForm && !MainSource.isEmpty() && QFileInfo::exists(MainSource)) {
        QByteArray Source = FMainSource;
        if (Source.isEmpty()) {
            QFile File(MainSource);
            if (!File.open(QIODevice::ReadOnly))
                throw EXmlError(MainSource, 0, 0, QStringLiteral("cannot open: %1").arg(File.errorString()));
            Source = File.readAll();
        }
        const TUsesClause Uses = ScanUsesClause(Source);
        const QString UnitName = QFileInfo(Absolute).completeBaseName();
        const bool Listed =
            std::any_of(Uses.Units.begin(), Uses.Units.end(), [&](const QString& U) { return SameText(U, UnitName); });
        if (!Listed) {
            const QByteArray LineBreak = Source.contains("\r\n") || !Source.contains('\n') ? "\r\n" : "\n";
            const QByteArray Entry =
                QByteArray("  " + UnitName.toUtf8() + " in '" +
                           RelativeProjectPath(QFileInfo(MainSource).absolutePath(), Absolute).toUtf8() + "'");
            if (Uses.Found && Uses.Terminator >= 0)
                Source.insert(Uses.Terminator, QByteArray("," + LineBreak + Entry));
            else if (!Uses.Found && Uses.HeaderEnd >= 0)
                Source.insert(Uses.HeaderEnd, QByteArray(LineBreak + LineBreak + "uses" + LineBreak + Entry + ";"));
            else
                throw EXmlError(MainSource, 0, 0, QStringLiteral("cannot find the uses clause"));
            FMainSource = Source;
            Changed = true;
        }
    }
    if (Changed)
        MarkModified();
}

template <class F> void TDprojProject::ForEachNotifier(F AFunc)
{
    // Notifiers may remove themselves while being called.
    std::vector<std::shared_ptr<IOTAProjectNotifier>> Snapshot;
    for (const auto& [Index, Notifier] : FNotifiers)
        Snapshot.push_back(Notifier);
    for (const auto& Notifier : Snapshot)
        AFunc(*Notifier);
}

int TDprojProject::AddNotifier(std::shared_ptr<IOTAProjectNotifier> ANotifier)
{
    const int Index = FNextNotifier++;
    FNotifiers[Index] = std::move(ANotifier);
    return Index;
}

void TDprojProject::RemoveNotifier(int AIndex) { FNotifiers.erase(AIndex); }

void TDprojProject::MarkModified()
{
    FModified = true;
    ForEachNotifier([](IOTAProjectNotifier& N) { N.Modified(); });
}

QByteArray TDprojProject::Serialize() const { return FDocument->Serialize(); }

bool TDprojProject::CanSave(QString& AWhy) const
{
    AWhy = CannotReplace(FFileName);
    if (AWhy.isEmpty() && !FMainSource.isEmpty())
        AWhy = CannotReplace(MainSourceFileName());
    return AWhy.isEmpty();
}

void TDprojProject::Save()
{
    if (QString Why; !CanSave(Why))
        throw EXmlError(FFileName, 0, 0, QStringLiteral("cannot save: %1").arg(Why));
    ForEachNotifier([](IOTAProjectNotifier& N) { N.BeforeSave(); });
    // A project saved with nothing changed keeps its file as it is, time stamp included, so
    // that tools watching it (and the other program editing it) see no change.
    const QByteArray LData = Serialize();
    if (QFile LOld(FFileName);
        !LOld.open(QIODevice::ReadOnly) || LOld.size() != LData.size() || LOld.readAll() != LData)
        xml::WriteFileAtomically(FFileName, LData);
    if (!FMainSource.isEmpty()) {
        xml::WriteFileAtomically(MainSourceFileName(), FMainSource);
        FMainSource.clear();
    }
    FModified = false;
    ForEachNotifier([](IOTAProjectNotifier& N) { N.AfterSave(); });
}

void TDprojProject::NotifyDestroyed()
{
    ForEachNotifier([](IOTAProjectNotifier& N) { N.Destroyed(); });
}

void TDprojProject::ReportUnreadableCondition(const QString& ACondition, const QString& AReason) const
{
    if (FReportedConditions.contains(ACondition))
        return;
    FReportedConditions.insert(ACondition);
    AddTitleMessage(
        QStringLiteral("%1: the condition \"%2\" is read as false: %3").arg(FFileName, ACondition, AReason));
}

std::shared_ptr<IOTAProjectOptionsConfigurations> TDprojProject::ProjectOptionsConfigurations()
{
    return CreateProjectOptionsConfigurations(shared_from_this());
}

std::shared_ptr<IProjectDeployment> TDprojProject::ProjectDeployment()
{
    return CreateProjectDeployment(shared_from_this());
}

} // namespace ide

#include "ToolsAPI.Deployment.h"

#include "ToolsAPI.Project.h"
#include "Xml.Lossless.h"

#include <QHash>
#include <QStringList>
#include <algorithm>

namespace ide {

using xml::EXmlError;
using xml::TXmlElement;
using namespace tools;

// ---------------------------------------------------------------------------------------
// Build configurations

// Big projects hold tens of thousands of entries and a rebuild touches each several times,
// so entries are found by key rather than by a walk over the section.
struct TDprojProject::TDeploymentIndex
{
    bool Valid = false;
    QHash<QString, TXmlElement*> Entries;
    TXmlElement* InsertBefore = nullptr; // first DeployClass or ProjectRoot

    static QString Key(const QString& AConfiguration, const QString& ALocalName)
    {
        return AConfiguration.toLower() + QLatin1Char('\n') + ToNativeSeparators(ALocalName).toLower();
    }
};

TDprojProject::TDeploymentIndex& TDprojProject::DeploymentIndex() const
{
    if (!FDeploymentIndex)
        FDeploymentIndex = std::make_shared<TDeploymentIndex>();
    return *FDeploymentIndex;
}

namespace {

// ---------------------------------------------------------------------------------------
// Deployment

// Order of an entry's per-platform settings as the IDE writes them.
int PropertyRank(const QString& AName)
{
    static const QStringList Order = {QStringLiteral("RemoteDir"), QStringLiteral("RemoteName"),
                                      QStringLiteral("Operation"), QStringLiteral("Overwrite"),
                                      QStringLiteral("Enabled")};
    const auto Index = Order.indexOf(AName);
    return Index < 0 ? static_cast<int>(Order.size()) : static_cast<int>(Index);
}

TXmlElement* FindPlatform(TXmlElement* AOwner, const QString& APlatform)
{
    for (TXmlElement* Platform : AOwner->Elements(QStringLiteral("Platform")))
        if (SameText(Platform->Attribute(QStringLiteral("Name")), APlatform))
            return Platform;
    return nullptr;
}

void SetPlatformProperty(TXmlElement* APlatform, const QString& AName, const QString& AValue)
{
    if (TXmlElement* Existing = APlatform->FirstElement(AName)) {
        Existing->SetText(AValue);
        return;
    }
    TXmlElement* Before = nullptr;
    for (TXmlElement* Child : APlatform->Elements()) {
        if (PropertyRank(Child->Name()) > PropertyRank(AName)) {
            Before = Child;
            break;
        }
    }
    APlatform->InsertElementBefore(Before, AName)->SetText(AValue);
}

QString PlatformProperty(TXmlElement* AOwner, const QString& APlatform, const QString& AName)
{
    TXmlElement* Platform = AOwner ? FindPlatform(AOwner, APlatform) : nullptr;
    TXmlElement* Property = Platform ? Platform->FirstElement(AName) : nullptr;
    return Property ? Property->Text() : QString();
}

class TDeployment;

class TDeploymentFile final : public IProjectDeploymentFile
{
public:
    TDeploymentFile(std::shared_ptr<TDprojProject> AProject, QString ALocalName, QString AConfiguration)
        : FProject(std::move(AProject)), FLocalName(std::move(ALocalName)), FConfiguration(std::move(AConfiguration)),
          FKey(TDprojProject::TDeploymentIndex::Key(FConfiguration, FLocalName))
    {
    }

    QString LocalName() const override { return FLocalName; }
    QString DeploymentClass() const override
    {
        TXmlElement* Entry = Find();
        return Entry ? Entry->Attribute(QStringLiteral("Class")) : QString();
    }
    void SetDeploymentClass(const QString& AClass) override
    {
        TXmlElement* Entry = Existing();
        if (Entry->Attribute(QStringLiteral("Class")) == AClass && Entry->HasAttribute(QStringLiteral("Class")))
            return;
        Entry->SetAttribute(QStringLiteral("Class"), AClass);
        FProject->MarkModified();
    }
    QString Configuration() const override { return FConfiguration; }
    void SetConfiguration(const QString& AConfiguration) override
    {
        TXmlElement* Entry = Existing();
        if (Entry->Attribute(QStringLiteral("Configuration")) == AConfiguration)
            return;
        if (AConfiguration.isEmpty())
            Entry->RemoveAttribute(QStringLiteral("Configuration"));
        else
            Entry->SetAttribute(QStringLiteral("Configuration"), AConfiguration);
        FConfiguration = AConfiguration;
        FKey = TDprojProject::TDeploymentIndex::Key(FConfiguration, FLocalName);
        FProject->DeploymentIndex().Valid = false;
        FProject->MarkModified();
    }
    QStringList Platforms() const override
    {
        QStringList Result;
        if (TXmlElement* Entry = Find())
            for (TXmlElement* Platform : Entry->Elements(QStringLiteral("Platform")))
                Result << Platform->Attribute(QStringLiteral("Name"));
        return Result;
    }
    bool Enabled(const QString& APlatform) const override
    {
        TXmlElement* Entry = Find();
        if (!Entry || !FindPlatform(Entry, APlatform))
            return false;
        return !SameText(PlatformProperty(Entry, APlatform, QStringLiteral("Enabled")).trimmed(),
                         QStringLiteral("false"));
    }
    void SetEnabled(const QString& APlatform, bool AEnabled) override
    {
        if (Enabled(APlatform) == AEnabled)
            return;
        TXmlElement* Platform = EnsurePlatform(APlatform);
        if (AEnabled) {
            if (TXmlElement* Flag = Platform->FirstElement(QStringLiteral("Enabled")))
                Platform->RemoveElement(Flag);
        } else {
            SetPlatformProperty(Platform, QStringLiteral("Enabled"), QStringLiteral("false"));
        }
        FProject->MarkModified();
    }
    QString RemoteDir(const QString& APlatform) const override
    {
        return PlatformProperty(Find(), APlatform, QStringLiteral("RemoteDir"));
    }
    void SetRemoteDir(const QString& APlatform, const QString& AValue) override
    {
        SetProperty(APlatform, QStringLiteral("RemoteDir"), AValue);
    }
    QString RemoteName(const QString& APlatform) const override
    {
        return PlatformProperty(Find(), APlatform, QStringLiteral("RemoteName"));
    }
    void SetRemoteName(const QString& APlatform, const QString& AValue) override
    {
        SetProperty(APlatform, QStringLiteral("RemoteName"), AValue);
    }
    int Operation(const QString& APlatform) const override
    {
        return PlatformProperty(Find(), APlatform, QStringLiteral("Operation")).trimmed().toInt();
    }
    void SetOperation(const QString& APlatform, int AValue) override
    {
        if (Operation(APlatform) == AValue)
            return;
        TXmlElement* Platform = EnsurePlatform(APlatform);
        TXmlElement* Existing = Platform->FirstElement(QStringLiteral("Operation"));
        if (AValue == 0)
            Platform->RemoveElement(Existing);
        else
            SetPlatformProperty(Platform, QStringLiteral("Operation"), QString::number(AValue));
        FProject->MarkModified();
    }

private:
    friend class TDeployment;

    TXmlElement* Find() const;
    TXmlElement* Existing() const
    {
        TXmlElement* Entry = Find();
        if (!Entry)
            throw EXmlError(
                FProject->FileName(), 0, 0,
                QStringLiteral("the deployment entry \"%1\" (%2) has been removed").arg(FLocalName, FConfiguration));
        return Entry;
    }
    // A platform the entry is newly deployed to overwrites the file on the device, as the
    // IDE's own entries do.
    TXmlElement* EnsurePlatform(const QString& APlatform)
    {
        TXmlElement* Entry = Existing();
        if (TXmlElement* Platform = FindPlatform(Entry, APlatform))
            return Platform;
        TXmlElement* Platform = Entry->AppendElement(QStringLiteral("Platform"));
        Platform->SetAttribute(QStringLiteral("Name"), APlatform);
        Platform->AppendElement(QStringLiteral("Overwrite"))->SetText(QStringLiteral("true"));
        return Platform;
    }
    void SetProperty(const QString& APlatform, const QString& AName, const QString& AValue)
    {
        if (TXmlElement* Platform = FindPlatform(Existing(), APlatform))
            if (TXmlElement* Property = Platform->FirstElement(AName); Property && Property->Text() == AValue)
                return;
        SetPlatformProperty(EnsurePlatform(APlatform), AName, AValue);
        FProject->MarkModified();
    }

    std::shared_ptr<TDprojProject> FProject;
    QString FLocalName;
    QString FConfiguration;
    QString FKey;
};

class TDeployment final : public IProjectDeployment
{
public:
    explicit TDeployment(std::shared_ptr<TDprojProject> AProject) : FProject(std::move(AProject)) {}

    static TXmlElement* BorlandProject(TXmlElement* ARoot)
    {
        TXmlElement* Extensions = ARoot->FirstElement(QStringLiteral("ProjectExtensions"));
        return Extensions ? Extensions->FirstElement(QStringLiteral("BorlandProject")) : nullptr;
    }

    static TXmlElement* Section(TXmlElement* ARoot)
    {
        TXmlElement* Borland = BorlandProject(ARoot);
        return Borland ? Borland->FirstElement(QStringLiteral("Deployment")) : nullptr;
    }

    // A project written by hand or by another tool may lack the IDE's extensions; they are
    // made as the IDE makes them, ahead of the targets the project imports.
    static TXmlElement* EnsureBorlandProject(TXmlElement* ARoot)
    {
        if (TXmlElement* Existing = BorlandProject(ARoot))
            return Existing;
        TXmlElement* Extensions = ARoot->FirstElement(QStringLiteral("ProjectExtensions"));
        if (!Extensions) {
            Extensions = ARoot->InsertElementBefore(ARoot->FirstElement(QStringLiteral("Import")),
                                                    QStringLiteral("ProjectExtensions"));
            Extensions->AppendElement(QStringLiteral("Borland.Personality"))
                ->SetText(QStringLiteral("Delphi.Personality.12"));
            Extensions->AppendElement(QStringLiteral("BorlandProject"));
            Extensions->AppendElement(QStringLiteral("ProjectFileVersion"))->SetText(QStringLiteral("12"));
            return BorlandProject(ARoot);
        }
        return Extensions->InsertElementBefore(Extensions->FirstElement(QStringLiteral("ProjectFileVersion")),
                                               QStringLiteral("BorlandProject"));
    }

    // The IDE keeps Deployment between the personality settings and the platform list.
    TXmlElement* EnsureSection()
    {
        if (TXmlElement* Existing = Section(FProject->Root()))
            return Existing;
        TXmlElement* Borland = EnsureBorlandProject(FProject->Root());
        TXmlElement* Created = Borland->InsertElementBefore(Borland->FirstElement(QStringLiteral("Platforms")),
                                                            QStringLiteral("Deployment"));
        Created->SetAttribute(QStringLiteral("Version"), QStringLiteral("3"));
        return Created;
    }

    static TDprojProject::TDeploymentIndex& Index(const TDprojProject& AProject)
    {
        auto& LIndex = AProject.DeploymentIndex();
        if (LIndex.Valid)
            return LIndex;
        LIndex.Entries.clear();
        LIndex.InsertBefore = nullptr;
        if (TXmlElement* Deployment = Section(AProject.Root())) {
            for (TXmlElement* Child : Deployment->Elements()) {
                if (Child->Name() == QLatin1String("DeployFile")) {
                    // The first of two equal entries is the one a walk would find.
                    const QString Key =
                        TDprojProject::TDeploymentIndex::Key(Child->Attribute(QStringLiteral("Configuration")),
                                                             Child->Attribute(QStringLiteral("LocalName")));
                    if (!LIndex.Entries.contains(Key))
                        LIndex.Entries.insert(Key, Child);
                } else if (!LIndex.InsertBefore && (Child->Name() == QLatin1String("DeployClass") ||
                                                    Child->Name() == QLatin1String("ProjectRoot"))) {
                    LIndex.InsertBefore = Child;
                }
            }
        }
        LIndex.Valid = true;
        return LIndex;
    }

    static void Invalidate(const TDprojProject& AProject) { AProject.DeploymentIndex().Valid = false; }

    static TXmlElement* FindEntry(const TDprojProject& AProject, const QString& AConfiguration,
                                  const QString& ALocalName)
    {
        return FindEntry(AProject, TDprojProject::TDeploymentIndex::Key(AConfiguration, ALocalName));
    }
    static TXmlElement* FindEntry(const TDprojProject& AProject, const QString& AKey)
    {
        return Index(AProject).Entries.value(AKey);
    }

    std::shared_ptr<IProjectDeploymentFile> GetFile(const QString& AConfiguration, const QString& APlatform,
                                                    const QString& ALocalName) override
    {
        Q_UNUSED(APlatform);
        if (!FindEntry(*FProject, AConfiguration, ALocalName)) {
            // New entries go after the existing ones, ahead of the class definitions.
            const bool Created = !Section(FProject->Root());
            TXmlElement* Deployment = EnsureSection();
            if (Created)
                Invalidate(*FProject);
            auto& LIndex = Index(*FProject);
            TXmlElement* Entry = Deployment->InsertElementBefore(LIndex.InsertBefore, QStringLiteral("DeployFile"));
            Entry->SetAttribute(QStringLiteral("LocalName"), ALocalName);
            if (!AConfiguration.isEmpty())
                Entry->SetAttribute(QStringLiteral("Configuration"), AConfiguration);
            LIndex.Entries.insert(TDprojProject::TDeploymentIndex::Key(AConfiguration, ALocalName), Entry);
            FProject->MarkModified();
        }
        return std::make_shared<TDeploymentFile>(FProject, ALocalName, AConfiguration);
    }

    std::shared_ptr<IProjectDeploymentFile> FindFile(const QString& AConfiguration, const QString& APlatform,
                                                     const QString& ALocalName) const override
    {
        TXmlElement* Entry = FindEntry(*FProject, AConfiguration, ALocalName);
        if (!Entry || (!APlatform.isEmpty() && !FindPlatform(Entry, APlatform)))
            return nullptr;
        return std::make_shared<TDeploymentFile>(FProject, Entry->Attribute(QStringLiteral("LocalName")),
                                                 Entry->Attribute(QStringLiteral("Configuration")));
    }

    bool RemoveFile(const QString& AConfiguration, const QString& APlatform, const QString& ALocalName) override
    {
        TXmlElement* Entry = FindEntry(*FProject, AConfiguration, ALocalName);
        TXmlElement* Platform = Entry ? FindPlatform(Entry, APlatform) : nullptr;
        if (!Platform)
            return false;
        Entry->RemoveElement(Platform);
        if (Entry->Elements(QStringLiteral("Platform")).empty()) {
            Entry->Parent()->RemoveElement(Entry);
            Invalidate(*FProject);
        }
        FProject->MarkModified();
        return true;
    }

    int RemoveFilesOfClass(const QString& AClass) override
    {
        TXmlElement* Deployment = Section(FProject->Root());
        if (!Deployment)
            return 0;
        // One pass over the section: removing entries one by one is quadratic in big projects.
        const int Count = Deployment->RemoveElementsIf([&](const TXmlElement& AEntry) {
            return AEntry.Name() == QLatin1String("DeployFile") && AEntry.Attribute(QStringLiteral("Class")) == AClass;
        });
        if (Count > 0) {
            Invalidate(*FProject);
            FProject->MarkModified();
        }
        return Count;
    }

    std::vector<std::shared_ptr<IProjectDeploymentFile>> Files() const override
    {
        std::vector<std::shared_ptr<IProjectDeploymentFile>> Result;
        if (TXmlElement* Deployment = Section(FProject->Root()))
            for (TXmlElement* Entry : Deployment->Elements(QStringLiteral("DeployFile")))
                Result.push_back(std::make_shared<TDeploymentFile>(FProject,
                                                                   Entry->Attribute(QStringLiteral("LocalName")),
                                                                   Entry->Attribute(QStringLiteral("Configuration"))));
        return Result;
    }

    bool HasDeployClass(const QString& AName) const override
    {
        TXmlElement* Deployment = Section(FProject->Root());
        if (!Deployment)
            return false;
        const auto Classes = Deployment->Elements(QStringLiteral("DeployClass"));
        return std::any_of(Classes.begin(), Classes.end(),
                           [&](TXmlElement* C) { return C->Attribute(QStringLiteral("Name")) == AName; });
    }

    bool EnsureDeployClass(const QString& AName, const std::vector<TDeployClassPlatform>& APlatforms) override
    {
        if (HasDeployClass(AName))
            return false;
        TXmlElement* Deployment = EnsureSection();
        // Classes are kept sorted by name; without classes the new one goes before ProjectRoot.
        TXmlElement* Before = nullptr;
        TXmlElement* LastClass = nullptr;
        for (TXmlElement* Child : Deployment->Elements()) {
            if (Child->Name() == QLatin1String("DeployClass")) {
                LastClass = Child;
                if (CompareText(Child->Attribute(QStringLiteral("Name")), AName) > 0) {
                    Before = Child;
                    break;
                }
            }
        }
        if (!Before)
            Before =
                LastClass ? NextElementSibling(LastClass) : Deployment->FirstElement(QStringLiteral("ProjectRoot"));
        TXmlElement* Class = Deployment->InsertElementBefore(Before, QStringLiteral("DeployClass"));
        Invalidate(*FProject);
        Class->SetAttribute(QStringLiteral("Name"), AName);
        for (const auto& Setting : APlatforms) {
            TXmlElement* Platform = Class->AppendElement(QStringLiteral("Platform"));
            Platform->SetAttribute(QStringLiteral("Name"), Setting.Platform);
            if (!Setting.RemoteDir.isEmpty())
                Platform->AppendElement(QStringLiteral("RemoteDir"))->SetText(Setting.RemoteDir);
            Platform->AppendElement(QStringLiteral("Operation"))->SetText(QString::number(Setting.Operation));
        }
        FProject->MarkModified();
        return true;
    }

private:
    std::shared_ptr<TDprojProject> FProject;
};

// The key is made once per file: a save asks for the same entry several times per platform.
TXmlElement* TDeploymentFile::Find() const { return TDeployment::FindEntry(*FProject, FKey); }

} // namespace

std::shared_ptr<IProjectDeployment> CreateProjectDeployment(std::shared_ptr<TDprojProject> AProject)
{
    return std::make_shared<TDeployment>(std::move(AProject));
}

} // namespace ide

#include "ToolsAPI.h"

#include "Xml.Lossless.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <optional>

namespace ide {

using xml::EXmlError;
using xml::TXmlElement;

namespace {

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

// ---------------------------------------------------------------------------------------
// MSBuild evaluation, enough for the conditions the IDE writes: quoted operands with
// $(Name) references, == and !=, and/or, parentheses. Anything else makes the condition
// false, as a group we cannot read must not override the ones we can.

class TPropertyBag
{
public:
    void SetGlobal(const QString& AName, const QString& AValue)
    {
        FValues[AName.toUpper()] = AValue;
        FGlobals.insert(AName.toUpper());
    }
    void Set(const QString& AName, const QString& AValue)
    {
        if (!FGlobals.contains(AName.toUpper()))
            FValues[AName.toUpper()] = AValue;
    }
    std::optional<QString> Get(const QString& AName) const
    {
        const auto It = FValues.find(AName.toUpper());
        if (It == FValues.end())
            return std::nullopt;
        return It->second;
    }
    // Unknown references expand to nothing in conditions and stay as written in values.
    QString Expand(const QString& AText, bool AKeepUnknown) const
    {
        static const QRegularExpression Reference(QStringLiteral(R"(\$\(([A-Za-z_][A-Za-z0-9_]*)\))"));
        QString Result;
        qsizetype Last = 0;
        auto It = Reference.globalMatch(AText);
        while (It.hasNext()) {
            const auto Match = It.next();
            Result += AText.mid(Last, Match.capturedStart() - Last);
            const auto Value = Get(Match.captured(1));
            Result += Value ? *Value : (AKeepUnknown ? Match.captured(0) : QString());
            Last = Match.capturedEnd();
        }
        Result += AText.mid(Last);
        return Result;
    }

private:
    std::map<QString, QString> FValues;
    QSet<QString> FGlobals;
};

class TConditionParser
{
public:
    TConditionParser(const QString& AText, const TPropertyBag& ABag) : FText(AText), FBag(ABag) {}

    bool Evaluate()
    {
        const bool Result = ParseOr();
        SkipSpaces();
        if (FPos != FText.size())
            throw std::invalid_argument("trailing text");
        return Result;
    }

private:
    void SkipSpaces()
    {
        while (FPos < FText.size() && FText[FPos].isSpace())
            ++FPos;
    }
    bool TakeWord(const char* AWord)
    {
        SkipSpaces();
        const QString Word = QString::fromLatin1(AWord);
        if (QStringView(FText).mid(FPos, Word.size()).compare(Word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype After = FPos + Word.size();
        if (After < FText.size() && (FText[After].isLetterOrNumber() || FText[After] == QLatin1Char('_')))
            return false;
        FPos = After;
        return true;
    }
    bool TakeSymbol(const char* ASymbol)
    {
        SkipSpaces();
        const QString Symbol = QString::fromLatin1(ASymbol);
        if (!QStringView(FText).mid(FPos).startsWith(Symbol))
            return false;
        FPos += Symbol.size();
        return true;
    }
    bool ParseOr()
    {
        bool Result = ParseAnd();
        while (TakeWord("or"))
            Result = ParseAnd() || Result;
        return Result;
    }
    bool ParseAnd()
    {
        bool Result = ParsePrimary();
        while (TakeWord("and"))
            Result = ParsePrimary() && Result;
        return Result;
    }
    bool ParsePrimary()
    {
        if (TakeSymbol("(")) {
            // Real conditions nest two or three levels; a deeper one is damage, not MSBuild.
            if (++FDepth > 32)
                throw std::invalid_argument("too deeply nested");
            const bool Result = ParseOr();
            --FDepth;
            if (!TakeSymbol(")"))
                throw std::invalid_argument("missing )");
            return Result;
        }
        const QString Left = ParseOperand();
        if (TakeSymbol("=="))
            return SameText(Left, ParseOperand());
        if (TakeSymbol("!="))
            return !SameText(Left, ParseOperand());
        if (SameText(Left, QStringLiteral("true")))
            return true;
        if (SameText(Left, QStringLiteral("false")))
            return false;
        throw std::invalid_argument("unsupported condition");
    }
    QString ParseOperand()
    {
        SkipSpaces();
        if (FPos < FText.size() && FText[FPos] == QLatin1Char('\'')) {
            const qsizetype End = FText.indexOf(QLatin1Char('\''), FPos + 1);
            if (End < 0)
                throw std::invalid_argument("unterminated string");
            const QString Raw = FText.mid(FPos + 1, End - FPos - 1);
            FPos = End + 1;
            return FBag.Expand(Raw, false);
        }
        const qsizetype Begin = FPos;
        while (FPos < FText.size() && (FText[FPos].isLetterOrNumber() || FText[FPos] == QLatin1Char('_')))
            ++FPos;
        if (FPos == Begin)
            throw std::invalid_argument("expected an operand");
        return FText.mid(Begin, FPos - Begin);
    }

    const QString& FText;
    const TPropertyBag& FBag;
    qsizetype FPos = 0;
    int FDepth = 0;
};

bool ConditionHolds(const TXmlElement* AElement, const TPropertyBag& ABag)
{
    if (!AElement->HasAttribute(QStringLiteral("Condition")))
        return true;
    const QString Condition = AElement->Attribute(QStringLiteral("Condition"));
    try {
        return TConditionParser(Condition, ABag).Evaluate();
    } catch (const std::invalid_argument&) {
        return false;
    }
}

// "'$(Cfg_1_Android)'!=''" names the group that belongs to Cfg_1_Android.
QString GroupKey(const TXmlElement* AGroup)
{
    static const QRegularExpression Pattern(QStringLiteral(R"(^\s*'\$\(([A-Za-z0-9_]+)\)'\s*!=\s*''\s*$)"));
    const auto Match = Pattern.match(AGroup->Attribute(QStringLiteral("Condition")));
    return Match.hasMatch() ? Match.captured(1) : QString();
}

// ---------------------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------------------
// The main source's uses clause. Only what is needed to find the clause and its unit
// names: comments, strings and identifiers.

struct TUsesClause
{
    bool Found = false;
    qsizetype HeaderEnd = -1;  // after the ';' of "program X;"
    qsizetype Terminator = -1; // offset of the clause's ';'
    QStringList Units;
};

TUsesClause ScanUsesClause(const QByteArray& ASource)
{
    TUsesClause Result;
    enum class TState
    {
        Header,
        HeaderName,
        Uses,
        UnitName,
        UnitTail
    } State = TState::Header;
    qsizetype I = 0;
    const qsizetype N = ASource.size();
    auto IsIdentStart = [](char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; };
    auto IsIdentChar = [](char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_' || C == '.'; };
    while (I < N) {
        const char C = ASource[I];
        if (C == '{') {
            const qsizetype End = ASource.indexOf('}', I + 1);
            I = End < 0 ? N : End + 1;
        } else if (C == '(' && I + 1 < N && ASource[I + 1] == '*') {
            const qsizetype End = ASource.indexOf("*)", I + 2);
            I = End < 0 ? N : End + 2;
        } else if (C == '/' && I + 1 < N && ASource[I + 1] == '/') {
            const qsizetype End = ASource.indexOf('\n', I);
            I = End < 0 ? N : End + 1;
        } else if (C == '\'') {
            const qsizetype End = ASource.indexOf('\'', I + 1);
            I = End < 0 ? N : End + 1;
        } else if (IsIdentStart(C)) {
            const qsizetype Begin = I;
            while (I < N && IsIdentChar(ASource[I]))
                ++I;
            const QString Word = QString::fromLatin1(ASource.mid(Begin, I - Begin));
            switch (State) {
            case TState::Header:
                if (SameText(Word, QStringLiteral("program")) || SameText(Word, QStringLiteral("library")) ||
                    SameText(Word, QStringLiteral("package")))
                    State = TState::HeaderName;
                else
                    return Result;
                break;
            case TState::HeaderName:
                break;
            case TState::Uses:
                if (!SameText(Word, QStringLiteral("uses")))
                    return Result;
                Result.Found = true;
                State = TState::UnitName;
                break;
            case TState::UnitName:
                Result.Units << Word;
                State = TState::UnitTail;
                break;
            case TState::UnitTail:
                break;
            }
        } else if (C == ';') {
            if (State == TState::HeaderName) {
                Result.HeaderEnd = I + 1;
                State = TState::Uses;
            } else if (State == TState::UnitName || State == TState::UnitTail) {
                Result.Terminator = I;
                return Result;
            }
            ++I;
        } else if (C == ',') {
            if (State == TState::UnitTail)
                State = TState::UnitName;
            ++I;
        } else {
            ++I;
        }
    }
    return Result;
}

} // namespace

// ---------------------------------------------------------------------------------------

bool TAction::Execute()
{
    Update();
    if (!Enabled || !OnExecute)
        return false;
    OnExecute();
    return true;
}

TMenuItem* TMenuItem::Find(const QString& AName)
{
    for (const auto& Item : Items) {
        if (Item->Name == AName)
            return Item.get();
        if (TMenuItem* Found = Item->Find(AName))
            return Found;
    }
    return nullptr;
}

QString TMenuItem::DisplayCaption() const { return Caption.isEmpty() && Action ? Action->Caption : Caption; }

void TMenuItem::Add(std::shared_ptr<TMenuItem> AItem) { Insert(Items.size(), std::move(AItem)); }

void TMenuItem::Insert(size_t AIndex, std::shared_ptr<TMenuItem> AItem)
{
    AItem->FParent = this;
    Items.insert(Items.begin() + static_cast<std::ptrdiff_t>(std::min(AIndex, Items.size())), std::move(AItem));
}

bool TMenuItem::Click() { return Action && Action->Execute(); }

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

    const QString MainSource = MainSourceFileName();
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

void TDprojProject::Save()
{
    ForEachNotifier([](IOTAProjectNotifier& N) { N.BeforeSave(); });
    xml::WriteFileAtomically(FFileName, Serialize());
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

struct TConfigurationItem
{
    QString Name;
    QString Key;
    QString Parent;
};

std::vector<TConfigurationItem> ReadConfigurations(TXmlElement* ARoot)
{
    std::vector<TConfigurationItem> Result;
    for (TXmlElement* Group : ARoot->Elements(QStringLiteral("ItemGroup"))) {
        for (TXmlElement* Item : Group->Elements(QStringLiteral("BuildConfiguration"))) {
            TConfigurationItem Config;
            Config.Name = Item->Attribute(QStringLiteral("Include"));
            TXmlElement* Key = Item->FirstElement(QStringLiteral("Key"));
            TXmlElement* Parent = Item->FirstElement(QStringLiteral("CfgParent"));
            Config.Key = Key ? Key->Text().trimmed() : Config.Name;
            Config.Parent = Parent ? Parent->Text().trimmed() : QString();
            Result.push_back(Config);
        }
    }
    return Result;
}

class TBuildConfiguration final : public IOTABuildConfiguration
{
public:
    TBuildConfiguration(std::shared_ptr<TDprojProject> AProject, TConfigurationItem AItem, QString APlatform)
        : FProject(std::move(AProject)), FItem(std::move(AItem)), FPlatform(std::move(APlatform))
    {
    }

    QString Name() const override { return FItem.Name; }
    QString Key() const override { return FItem.Key; }
    QString Parent() const override { return FItem.Parent; }
    QString Platform() const override { return FPlatform; }

    QString GetValue(const QString& AName) const override
    {
        // Config and Platform act as global properties: the file's defaults cannot change them.
        TPropertyBag Bag;
        Bag.SetGlobal(QStringLiteral("Config"), FItem.Name);
        Bag.SetGlobal(QStringLiteral("Platform"), FPlatform);
        for (TXmlElement* Group : FProject->Root()->Elements(QStringLiteral("PropertyGroup"))) {
            if (!ConditionHolds(Group, Bag))
                continue;
            for (TXmlElement* Property : Group->Elements())
                if (ConditionHolds(Property, Bag))
                    Bag.Set(Property->Name(), Bag.Expand(Property->Text(), true));
        }
        return Bag.Get(AName).value_or(QString());
    }

    void SetValue(const QString& AName, const QString& AValue) override
    {
        const QString GroupName = FPlatform.isEmpty() ? FItem.Key : FItem.Key + QLatin1Char('_') + FPlatform;
        for (TXmlElement* Group : FProject->Root()->Elements(QStringLiteral("PropertyGroup"))) {
            if (GroupKey(Group) != GroupName)
                continue;
            TXmlElement* Property = nullptr;
            for (TXmlElement* Candidate : Group->Elements(AName))
                if (!Candidate->HasAttribute(QStringLiteral("Condition")))
                    Property = Candidate;
            if (!Property)
                Property = Group->AppendElement(AName);
            Property->SetText(AValue);
            FProject->MarkModified();
            return;
        }
        throw EXmlError(FProject->FileName(), 0, 0,
                        QStringLiteral("no property group for configuration \"%1\"").arg(GroupName));
    }

    std::shared_ptr<IOTABuildConfiguration> PlatformConfiguration(const QString& APlatform) const override
    {
        return std::make_shared<TBuildConfiguration>(FProject, FItem, APlatform);
    }

private:
    std::shared_ptr<TDprojProject> FProject;
    TConfigurationItem FItem;
    QString FPlatform;
};

class TProjectOptionsConfigurations final : public IOTAProjectOptionsConfigurations
{
public:
    explicit TProjectOptionsConfigurations(std::shared_ptr<TDprojProject> AProject) : FProject(std::move(AProject)) {}

    int ConfigurationCount() const override { return static_cast<int>(ReadConfigurations(FProject->Root()).size()); }

    std::shared_ptr<IOTABuildConfiguration> Configuration(int AIndex) const override
    {
        const auto Items = ReadConfigurations(FProject->Root());
        if (AIndex < 0 || AIndex >= static_cast<int>(Items.size()))
            return nullptr;
        return std::make_shared<TBuildConfiguration>(FProject, Items[static_cast<size_t>(AIndex)], QString());
    }

    std::shared_ptr<IOTABuildConfiguration> ConfigurationByName(const QString& AName) const override
    {
        for (const auto& Item : ReadConfigurations(FProject->Root()))
            if (SameText(Item.Name, AName))
                return std::make_shared<TBuildConfiguration>(FProject, Item, QString());
        return nullptr;
    }

    std::shared_ptr<IOTABuildConfiguration> BaseConfiguration() const override
    {
        for (const auto& Item : ReadConfigurations(FProject->Root()))
            if (Item.Parent.isEmpty())
                return std::make_shared<TBuildConfiguration>(FProject, Item, QString());
        return nullptr;
    }

    std::shared_ptr<IOTABuildConfiguration> ActiveConfiguration() const override
    {
        const auto Config = ConfigurationByName(ActiveConfigurationName());
        return Config ? Config->PlatformConfiguration(ActivePlatformName()) : nullptr;
    }

    QString ActiveConfigurationName() const override { return Default(QStringLiteral("Config")); }
    void SetActiveConfigurationName(const QString& AName) override { SetDefault(QStringLiteral("Config"), AName); }
    QString ActivePlatformName() const override { return Default(QStringLiteral("Platform")); }
    void SetActivePlatformName(const QString& APlatform) override { SetDefault(QStringLiteral("Platform"), APlatform); }

private:
    // <Config Condition="'$(Config)'==''">Debug</Config> in the project's first group.
    TXmlElement* DefaultElement(const QString& AName, bool ACreate) const
    {
        TXmlElement* Group = MainPropertyGroup(FProject->Root());
        if (!Group)
            return nullptr;
        if (TXmlElement* Element = Group->FirstElement(AName))
            return Element;
        if (!ACreate)
            return nullptr;
        TXmlElement* Element = Group->AppendElement(AName);
        Element->SetAttribute(QStringLiteral("Condition"), QStringLiteral("'$(%1)'==''").arg(AName));
        return Element;
    }
    QString Default(const QString& AName) const
    {
        TXmlElement* Element = DefaultElement(AName, false);
        return Element ? Element->Text().trimmed() : QString();
    }
    void SetDefault(const QString& AName, const QString& AValue)
    {
        TXmlElement* Element = DefaultElement(AName, true);
        if (!Element)
            throw EXmlError(FProject->FileName(), 0, 0, QStringLiteral("the project has no main PropertyGroup"));
        if (Element->Text() == AValue)
            return;
        Element->SetText(AValue);
        FProject->MarkModified();
    }

    std::shared_ptr<TDprojProject> FProject;
};

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
        : FProject(std::move(AProject)), FLocalName(std::move(ALocalName)), FConfiguration(std::move(AConfiguration))
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

    // The IDE keeps Deployment between the personality settings and the platform list.
    TXmlElement* EnsureSection()
    {
        if (TXmlElement* Existing = Section(FProject->Root()))
            return Existing;
        TXmlElement* Borland = BorlandProject(FProject->Root());
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
        return Index(AProject).Entries.value(TDprojProject::TDeploymentIndex::Key(AConfiguration, ALocalName));
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

TXmlElement* TDeploymentFile::Find() const { return TDeployment::FindEntry(*FProject, FConfiguration, FLocalName); }

} // namespace

std::shared_ptr<IOTAProjectOptionsConfigurations> TDprojProject::ProjectOptionsConfigurations()
{
    return std::make_shared<TProjectOptionsConfigurations>(shared_from_this());
}

std::shared_ptr<IProjectDeployment> TDprojProject::ProjectDeployment()
{
    if (!TDeployment::BorlandProject(Root()))
        return nullptr;
    return std::make_shared<TDeployment>(shared_from_this());
}

// ---------------------------------------------------------------------------------------
// Services

namespace {

class TModuleServices final : public IOTAModuleServices
{
public:
    std::shared_ptr<IOTAProject> OpenProject(const QString& AFileName) override
    {
        const QString Absolute = QFileInfo(AFileName).absoluteFilePath();
        for (const auto& Project : FProjects) {
            if (Project->FileName() == Absolute) {
                FActive = Project;
                return Project;
            }
        }
        auto Project = TDprojProject::Open(Absolute);
        FProjects.push_back(Project);
        FActive = Project;
        return Project;
    }

    void CloseProject(const std::shared_ptr<IOTAProject>& AProject) override
    {
        const auto It = std::find(FProjects.begin(), FProjects.end(), AProject);
        if (It == FProjects.end())
            return;
        const auto Closing = *It;
        FProjects.erase(It);
        if (FActive == Closing)
            FActive = FProjects.empty() ? nullptr : FProjects.back();
        if (const auto Dproj = std::dynamic_pointer_cast<TDprojProject>(Closing))
            Dproj->NotifyDestroyed();
    }

    std::vector<std::shared_ptr<IOTAProject>> Projects() const override { return FProjects; }
    std::shared_ptr<IOTAProject> GetActiveProject() const override { return FActive; }
    void SetActiveProject(const std::shared_ptr<IOTAProject>& AProject) override { FActive = AProject; }

private:
    std::vector<std::shared_ptr<IOTAProject>> FProjects;
    std::shared_ptr<IOTAProject> FActive;
};

class TEditorViewServices final : public IOTAEditorViewServices
{
public:
    void ShowEditorView(const std::shared_ptr<INTACustomEditorView>& AView) override
    {
        std::shared_ptr<INTACustomEditorView> View = FindView(AView->GetViewIdentifier());
        if (!View) {
            View = AView;
            FViews.push_back(View);
            if (FOnShow)
                FOnShow(*View);
        }
        if (FActive != View) {
            if (FActive)
                FActive->DeselectView();
            FActive = View;
            View->SelectView();
        }
    }

    bool CloseEditorView(const std::shared_ptr<INTACustomEditorView>& AView) override
    {
        const auto It = std::find(FViews.begin(), FViews.end(), AView);
        if (It == FViews.end())
            return false;
        bool Allowed = true;
        AView->Close(Allowed);
        if (!Allowed)
            return false;
        // Close may have changed the list; look again.
        FViews.erase(std::remove(FViews.begin(), FViews.end(), AView), FViews.end());
        if (FOnClose)
            FOnClose(*AView);
        if (FActive == AView)
            FActive = FViews.empty() ? nullptr : FViews.back();
        return true;
    }

    std::vector<std::shared_ptr<INTACustomEditorView>> OpenViews() const override { return FViews; }

    std::shared_ptr<INTACustomEditorView> FindView(const QString& AIdentifier) const override
    {
        for (const auto& View : FViews)
            if (View->GetViewIdentifier() == AIdentifier)
                return View;
        return nullptr;
    }

    std::shared_ptr<INTACustomEditorView> ActiveView() const override { return FActive; }

    void SetHostHandlers(std::function<void(INTACustomEditorView&)> AOnShow,
                         std::function<void(INTACustomEditorView&)> AOnClose) override
    {
        FOnShow = std::move(AOnShow);
        FOnClose = std::move(AOnClose);
    }

private:
    std::vector<std::shared_ptr<INTACustomEditorView>> FViews;
    std::shared_ptr<INTACustomEditorView> FActive;
    std::function<void(INTACustomEditorView&)> FOnShow;
    std::function<void(INTACustomEditorView&)> FOnClose;
};

class TNTAEditorViewServices final : public INTAEditorViewServices
{
public:
    int AddImages(const QStringList& AImagePaths, const QString& AIdentifier) override
    {
        const auto It = FBases.find(AIdentifier);
        if (It != FBases.end())
            return It->second;
        const int Base = static_cast<int>(FImages.size());
        FImages << AImagePaths;
        FBases[AIdentifier] = Base;
        return Base;
    }
    QStringList Images() const override { return FImages; }

private:
    QStringList FImages;
    std::map<QString, int> FBases;
};

} // namespace

class TNTAServices final : public INTAServices
{
public:
    TNTAServices() : FMainMenu(CreateDefaultMainMenu()) {}

    TMenuItem& MainMenu() override { return *FMainMenu; }

    bool AddActionMenu(const QString& ATargetName, std::shared_ptr<TAction> AAction,
                       std::shared_ptr<TMenuItem> AMenuItem, bool AInsertAfter, bool AInsertAsChild) override
    {
        TMenuItem* Target = FMainMenu->Find(ATargetName);
        if (!Target)
            return false;
        if (!AMenuItem)
            AMenuItem = std::make_shared<TMenuItem>();
        if (AAction)
            AMenuItem->Action = std::move(AAction);
        if (AInsertAsChild) {
            Target->Add(std::move(AMenuItem));
        } else {
            TMenuItem* Parent = Target->Parent();
            const auto It = std::find_if(Parent->Items.begin(), Parent->Items.end(),
                                         [Target](const auto& I) { return I.get() == Target; });
            const size_t Index = static_cast<size_t>(It - Parent->Items.begin()) + (AInsertAfter ? 1 : 0);
            Parent->Insert(Index, std::move(AMenuItem));
        }
        Changed();
        return true;
    }

    bool RemoveMenuItem(const TMenuItem* AMenuItem) override
    {
        if (!AMenuItem || !AMenuItem->Parent())
            return false;
        auto& Items = AMenuItem->Parent()->Items;
        const auto It =
            std::find_if(Items.begin(), Items.end(), [AMenuItem](const auto& I) { return I.get() == AMenuItem; });
        if (It == Items.end())
            return false;
        (*It)->FParent = nullptr;
        Items.erase(It);
        Changed();
        return true;
    }

    void UpdateActions() override { Update(*FMainMenu); }

    void SetMenuChangedHandler(std::function<void()> AHandler) override { FChanged = std::move(AHandler); }

private:
    void Update(TMenuItem& AItem)
    {
        if (AItem.Action)
            AItem.Action->Update();
        for (const auto& Child : AItem.Items)
            Update(*Child);
    }
    void Changed()
    {
        if (FChanged)
            FChanged();
    }

    std::shared_ptr<TMenuItem> FMainMenu;
    std::function<void()> FChanged;
};

std::shared_ptr<TMenuItem> CreateDefaultMainMenu()
{
    auto Item = [](const char* AName, const char* ACaption) {
        auto Result = std::make_shared<TMenuItem>();
        Result->Name = QString::fromLatin1(AName);
        Result->Caption = QString::fromUtf8(ACaption);
        return Result;
    };
    auto Menu = [&](const char* AName, const char* ACaption,
                    std::initializer_list<std::pair<const char*, const char*>> AItems) {
        auto Result = Item(AName, ACaption);
        for (const auto& [Name, Caption] : AItems)
            Result->Add(Item(Name, Caption));
        return Result;
    };
    auto Root = Item("MainMenu", "");
    Root->Add(Menu("FileMenu", "&File",
                   {{"FileOpenItem", "&Open..."}, {"FileSaveItem", "&Save"}, {"FileCloseAllItem", "C&lose All"}}));
    Root->Add(
        Menu("EditMenu", "&Edit", {{"EditUndoItem", "&Undo"}, {"EditCopyItem", "&Copy"}, {"EditPasteItem", "&Paste"}}));
    Root->Add(Menu("ViewsMenu", "&View",
                   {{"ViewProjectManagerItem", "&Projects"}, {"ViewObjInspItem", "&Object Inspector"}}));
    Root->Add(Menu("ProjectMenu", "&Project",
                   {{"ProjectAddItem", "&Add to Project..."},
                    {"ProjectRemoveItem", "&Remove from Project..."},
                    {"ProjectViewResourcesItem", "Resources and Images..."},
                    {"ProjectDeploymentItem", "&Deployment"},
                    {"ProjectOptionsItem", "&Options..."}}));
    Root->Add(Menu("RunMenu", "&Run", {{"RunRunItem", "&Run"}}));
    Root->Add(Menu("ToolsMenu", "&Tools", {{"ToolsOptionsItem", "&Options..."}}));
    Root->Add(Menu("HelpMenu", "&Help", {{"HelpAboutItem", "&About..."}}));
    return Root;
}

void TBorlandIDEServices::InstallDefaultServices()
{
    RegisterService<IOTAModuleServices>(std::make_shared<TModuleServices>());
    RegisterService<INTAServices>(std::make_shared<TNTAServices>());
    RegisterService<IOTAEditorViewServices>(std::make_shared<TEditorViewServices>());
    RegisterService<INTAEditorViewServices>(std::make_shared<TNTAEditorViewServices>());
}

TBorlandIDEServices& BorlandIDEServices()
{
    static TBorlandIDEServices Services;
    return Services;
}

std::shared_ptr<IOTAProject> GetActiveProject()
{
    const auto Modules = BorlandIDEServices().Supports<IOTAModuleServices>();
    return Modules ? Modules->GetActiveProject() : nullptr;
}

} // namespace ide

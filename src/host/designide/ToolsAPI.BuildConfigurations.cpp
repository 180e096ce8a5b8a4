#include "ToolsAPI.BuildConfigurations.h"

#include "ToolsAPI.Conditions.h"
#include "ToolsAPI.Project.h"
#include "Xml.Lossless.h"

namespace ide {

using xml::EXmlError;
using xml::TXmlElement;
using namespace tools;

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
        const auto OnError = [this](const QString& ACondition, const QString& AReason) {
            FProject->ReportUnreadableCondition(ACondition, AReason);
        };
        Bag.SetGlobal(QStringLiteral("Config"), FItem.Name);
        Bag.SetGlobal(QStringLiteral("Platform"), FPlatform);
        for (TXmlElement* Group : FProject->Root()->Elements(QStringLiteral("PropertyGroup"))) {
            if (!ConditionHolds(Group, Bag, OnError))
                continue;
            for (TXmlElement* Property : Group->Elements())
                if (ConditionHolds(Property, Bag, OnError))
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

} // namespace

std::shared_ptr<IOTAProjectOptionsConfigurations>
CreateProjectOptionsConfigurations(std::shared_ptr<TDprojProject> AProject)
{
    return std::make_shared<TProjectOptionsConfigurations>(std::move(AProject));
}

} // namespace ide

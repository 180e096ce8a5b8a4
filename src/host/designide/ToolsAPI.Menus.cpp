#include "ToolsAPI.Menus.h"

#include <algorithm>

namespace ide {

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

std::shared_ptr<INTAServices> CreateMenuServices() { return std::make_shared<TNTAServices>(); }

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

} // namespace ide

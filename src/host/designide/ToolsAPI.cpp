// The service registry: BorlandIDEServices and what it is asked for first.

#include "ToolsAPI.h"

#include "StructureView.h"
#include "ToolsAPI.Dialogs.h"
#include "ToolsAPI.Menus.h"
#include "ToolsAPI.Services.h"

#include <QDebug>

namespace ide {

void TBorlandIDEServices::InstallDefaultServices()
{
    RegisterService<IOTAModuleServices>(CreateModuleServices());
    RegisterService<INTAServices>(CreateMenuServices());
    RegisterService<IOTAEditorViewServices>(CreateEditorViewServices());
    RegisterService<INTAEditorViewServices>(CreateNTAEditorViewServices());
    RegisterService<IOTADialogServices>(CreateDialogServices());
    RegisterService<IOTAIDEThemingServices>(CreateThemingServices());
    RegisterService<IFMXClipboardService>(CreateClipboardService());
    RegisterService<IOTAServices>(CreateIDEServices());
    RegisterService<IOTAStructureView>(std::make_shared<TStructureView>());
}

void AddTitleMessage(const QString& AText)
{
    auto& LManager = TMessageManager::DefaultManager();
    if (LManager.SubscriptionCount(typeid(TOTATitleMessage)) == 0)
        qWarning("%s", qUtf8Printable(AText));
    else
        LManager.SendMessage(nullptr, TOTATitleMessage(AText));
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

IOTAModuleServices& ModuleServices()
{
    if (!BorlandIDEServices().Supports<IOTAModuleServices>())
        BorlandIDEServices().InstallDefaultServices();
    return *BorlandIDEServices().Supports<IOTAModuleServices>();
}

} // namespace ide

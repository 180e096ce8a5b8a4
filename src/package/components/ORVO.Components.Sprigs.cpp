#include "ORVO.Components.Sprigs.h"

#include "ORVO.Assert.h"
#include "ORVO.Components.h"
#include "StructureView.h"
#include "ToolsAPI.h"

namespace orvo::components {

using namespace core;

namespace {

// Tells its sprig of selected controls; the sprig removes it before it goes.
class TqoSprigNodeListener : public ide::IOTAStructureNotifier
{
public:
    explicit TqoSprigNodeListener(TqoListeningSprig* ASprig) : FSprig(ASprig)
    {
        TqoAssert::IsNotNil(ASprig, QStringLiteral("ASprig"));
    }
    void NodeSelected(QObject* AComponent) override
    {
        if (auto* LControl = qobject_cast<TqoControl*>(AComponent))
            FSprig->ControlSelected(*LControl);
    }

private:
    TqoListeningSprig* FSprig;
};

} // namespace

TqoListeningSprig::TqoListeningSprig(QObject* AItem) : dsgn::TqoControlSprig(AItem)
{
    if (const auto LView = ide::BorlandIDEServices().Supports<ide::IOTAStructureView>())
        FNotifierIndex = LView->AddNotifier(std::make_shared<TqoSprigNodeListener>(this));
}

TqoListeningSprig::~TqoListeningSprig()
{
    if (FNotifierIndex < 0)
        return;
    if (const auto LView = ide::BorlandIDEServices().Supports<ide::IOTAStructureView>())
        LView->RemoveNotifier(FNotifierIndex);
}

bool TqoListeningSprig::Contains(const TqoControl& AControl) const
{
    for (const QObject* O = &AControl; O; O = O->parent())
        if (O == Item())
            return true;
    return false;
}

void TqoDrawerSprig::ControlSelected(TqoControl& AControl)
{
    if (auto* LDrawer = qobject_cast<TqoControl*>(Item()))
        LDrawer->SetVisible(Contains(AControl));
}

void TqoBottomSheetSprig::ControlSelected(TqoControl& AControl)
{
    if (auto* LSheet = qobject_cast<TqoCustomBottomSheet*>(Item()))
        LSheet->SetExpanded(Contains(AControl));
}

bool TqoPageSprig::DragOverTo(const ide::TSprig& AParent) const
{
    return qobject_cast<TqoCustomPageControl*>(AParent.Item()) && TqoListeningSprig::DragOverTo(AParent);
}

void TqoPageSprig::ControlSelected(TqoControl& AControl)
{
    if (auto* LPage = qobject_cast<TqoCustomPage*>(&AControl))
        if (TqoCustomPageControl* LControl = LPage->GetPageControl())
            LControl->SetActivePage(LPage);
}

bool TqoCollectionViewStylesSprig::Gathers(const QObject* AComponent) const
{
    return qobject_cast<const core::TqoCollectionViewStyle*>(AComponent) != nullptr;
}

QString TqoCollectionViewStyleSprig::Caption() const
{
    const auto* LStyle = qobject_cast<const core::TqoCollectionViewStyle*>(Item());
    // A style made from a template has no title yet: its name tells it apart until it gets one.
    return LStyle && !LStyle->GetTitle().isEmpty() ? LStyle->GetTitle() : TqoControlSprig::Caption();
}

} // namespace orvo::components

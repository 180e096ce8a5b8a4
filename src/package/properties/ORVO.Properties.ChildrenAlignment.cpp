#include "ORVO.Properties.ChildrenAlignment.h"

#include "DesignIntf.h"
#include "ORVO.Components.Base.h"
#include "properties/ORVO.Properties.ChildrenAlignment.Editor.h"

#include <memory>

namespace orvo {

namespace {

// The panel's height at 96 dots per inch; Qt scales logical pixels to the screen itself.
constexpr int PanelHeight = 290;

} // namespace

TqoChildrenAlignmentProperty::~TqoChildrenAlignmentProperty() = default;

TFlexBoxContainerEditorFrame* TqoChildrenAlignmentProperty::Panel() const { return FEditor; }

void TqoChildrenAlignmentProperty::Edit(ide::IPropertyHost& AHost, bool /*ADblClick*/)
{
    delete FEditor.data();
    auto* LInstance = qobject_cast<core::IORVOFlexContainer*>(GetComponent(0));
    if (!LInstance)
        return;
    auto LPanel = std::make_unique<TFlexBoxContainerEditorFrame>();
    LPanel->SetInstance(LInstance);
    LPanel->setFixedHeight(PanelHeight);
    FEditor = LPanel.get();
    AHost.DropDownControl(LPanel.release());
}

} // namespace orvo

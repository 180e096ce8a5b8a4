#pragma once

// The object inspector's editor of a layout's children alignment: the ellipsis drops down a
// panel of icon buttons instead of five rows of names.

#include "DesignEditors.h"

#include <QPointer>

namespace orvo {

class TFlexBoxContainerEditorFrame;

class TqoChildrenAlignmentProperty : public ide::TClassProperty
{
public:
    ~TqoChildrenAlignmentProperty() override;
    // The panel edits one component.
    ide::TPropertyAttributes GetAttributes() override
    {
        return (TClassProperty::GetAttributes() | ide::paDialog).setFlag(ide::paMultiSelect, false);
    }
    using TClassProperty::Edit;
    void Edit(ide::IPropertyHost& AHost, bool ADblClick) override;
    // The panel last dropped down, while it is open.
    TFlexBoxContainerEditorFrame* Panel() const;

private:
    // The drop-down deletes itself when it closes.
    QPointer<TFlexBoxContainerEditorFrame> FEditor;
};

} // namespace orvo

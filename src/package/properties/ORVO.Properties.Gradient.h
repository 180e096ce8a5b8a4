#pragma once

// The object inspector's editor of a brush's gradient: the ellipsis opens the gradient designer.

#include "DesignEditors.h"
#include "ORVO.GradientData.h"

namespace core {
class TqoGradient;
}

namespace orvo {

class TqoGradientProperty : public ide::TClassProperty
{
public:
    ide::TPropertyAttributes GetAttributes() override { return ide::paDialog | ide::paReadOnly; }
    // The designer edits a copy of the gradient; each of its changes goes into the
    // component's gradient at once, so closing the dialog has nothing left to apply.
    void Edit() override;

    static core::TqoGradientData ToData(const core::TqoGradient& AGradient);
    static void Assign(const core::TqoGradientData& AData, core::TqoGradient& AGradient);
};

} // namespace orvo

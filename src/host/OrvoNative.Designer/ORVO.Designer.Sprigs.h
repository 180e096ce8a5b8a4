#pragma once

// The structure-view node of a framework control, which the package's sprigs build on.

#include "DesignIntf.h"

namespace dsgn {

class TqoControlSprig : public ide::TSprig
{
public:
    using ide::TSprig::TSprig;
};

} // namespace dsgn

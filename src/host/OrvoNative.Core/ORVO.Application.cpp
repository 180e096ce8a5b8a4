#include "ORVO.Application.h"

namespace core {

TqoApplication& Application()
{
    static TqoApplication LApplication;
    return LApplication;
}

} // namespace core

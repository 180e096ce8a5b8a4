#include "ORVO.Assert.h"

#include <cstdlib>
#include <cxxabi.h>

namespace core {

QString TqoAssert::ClassName(const std::type_info& AType)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(AType.name(), nullptr, nullptr, &status);
    QString result = QString::fromLatin1(status == 0 && demangled ? demangled : AType.name());
    std::free(demangled);
    // "core::TqoAssetColor" reads as the framework's class name without the namespace.
    const int pos = result.lastIndexOf(QLatin1String("::"));
    return pos >= 0 ? result.mid(pos + 2) : result;
}

} // namespace core

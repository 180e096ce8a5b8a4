#pragma once

#include "ORVO.Exceptions.h"

#include <utility>

namespace core {

// An optional value. Unlike std::optional, reading an empty one raises the
// runtime's own error so that callers see "No such value" in the IDE.
template <typename T> class TqoNullable
{
public:
    TqoNullable() = default;
    TqoNullable(const T& AValue) : FValue(AValue), FHasValue(true) {}
    TqoNullable(T&& AValue) : FValue(std::move(AValue)), FHasValue(true) {}

    bool HasValue() const { return FHasValue; }

    const T& Value() const
    {
        if (!FHasValue)
            throw EqoNoSuchValue();
        return FValue;
    }

    T ValueOr(const T& ADefault) const { return FHasValue ? FValue : ADefault; }

    void SetValue(const T& AValue)
    {
        FValue = AValue;
        FHasValue = true;
    }

    void Clear()
    {
        FValue = T();
        FHasValue = false;
    }

    TqoNullable& operator=(const T& AValue)
    {
        SetValue(AValue);
        return *this;
    }

    friend bool operator==(const TqoNullable& A, const TqoNullable& B)
    {
        return A.FHasValue == B.FHasValue && (!A.FHasValue || A.FValue == B.FValue);
    }

private:
    T FValue{};
    bool FHasValue = false;
};

} // namespace core

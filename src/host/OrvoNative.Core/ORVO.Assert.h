#pragma once

#include "ORVO.Exceptions.h"

#include <QString>
#include <memory>
#include <typeinfo>

namespace core {

// Argument and state checks; every failure raises EqoAssertionFailed.
class TqoAssert
{
public:
    static void IsNotNil(const void* AObject, const QString& AArgumentName)
    {
        if (AObject == nullptr)
            Fail(QStringLiteral("Argument must not be nil: name=\"%1\"").arg(AArgumentName));
    }

    template <typename T> static void IsNotNil(const std::shared_ptr<T>& AObject, const QString& AArgumentName)
    {
        IsNotNil(AObject.get(), AArgumentName);
    }

    template <typename T> static void IsNotNil(const std::unique_ptr<T>& AObject, const QString& AArgumentName)
    {
        IsNotNil(AObject.get(), AArgumentName);
    }

    // Returns the object as T; a null object passes (IsNotNil checks that).
    template <typename T, typename U> static T* IsClass(U* AObject)
    {
        if (AObject == nullptr)
            return nullptr;
        T* result = dynamic_cast<T*>(AObject);
        if (result == nullptr)
            Fail(QStringLiteral("Object is not of the expected class: class=\"%1\", actual=\"%2\"")
                     .arg(ClassName(typeid(T)), ClassName(typeid(*AObject))));
        return result;
    }

    template <typename T, typename U> static T* IsClass(const std::shared_ptr<U>& AObject)
    {
        return IsClass<T>(AObject.get());
    }

    static void IsTrue(bool AValue, const QString& AMessage)
    {
        if (!AValue)
            Fail(AMessage);
    }

    static void IsFalse(bool AValue, const QString& AMessage)
    {
        if (AValue)
            Fail(AMessage);
    }

    // For a switch over an enumeration that met a value it does not know.
    [[noreturn]] static void UnknownValue(const QString& ATypeName)
    {
        Fail(QStringLiteral("Unknown value of enumeration: type=\"%1\"").arg(ATypeName));
    }

    [[noreturn]] static void Fail(const QString& AMessage) { throw EqoAssertionFailed(AMessage); }

    // Readable (demangled) name of a type, for messages.
    static QString ClassName(const std::type_info& AType);
};

} // namespace core

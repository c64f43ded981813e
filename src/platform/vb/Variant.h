#pragma once
// The runtime's Variant: Empty, Null, Integer, Long, Single, Double, Date,
// String (UTF-8), Boolean, Object (a shared reference) or Missing (an optional
// argument the caller left out). Copying a Variant that holds an Object
// copies the reference, not the object.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/vb/Object.h"
#include "platform/vb/Types.h"

namespace vb {

struct EmptyValue {
    friend constexpr bool operator==(EmptyValue, EmptyValue) { return true; }
};
struct NullValue {
    friend constexpr bool operator==(NullValue, NullValue) { return true; }
};
struct MissingValue {
    friend constexpr bool operator==(MissingValue, MissingValue) { return true; }
};

inline constexpr NullValue Null{};
inline constexpr MissingValue Missing{};

class Variant {
public:
    using Storage = std::variant<EmptyValue, NullValue, Integer, Long, Single, Double, Date,
        std::string, Boolean, ObjectRef, MissingValue>;

    Variant() = default;
    // NOLINTBEGIN(google-explicit-constructor): a Variant takes any value implicitly.
    Variant(EmptyValue) {}
    Variant(NullValue v) : m_value(v) {}
    Variant(MissingValue v) : m_value(v) {}
    Variant(Integer v) : m_value(v) {}
    Variant(Long v) : m_value(v) {}
    Variant(Single v) : m_value(v) {}
    Variant(Double v) : m_value(v) {}
    Variant(Date v) : m_value(v) {}
    Variant(Boolean v) : m_value(v) {}
    Variant(bool v) : m_value(Boolean(v)) {}
    Variant(std::string v) : m_value(std::move(v)) {}
    Variant(std::string_view v) : m_value(std::string(v)) {}
    Variant(const char* v) : m_value(std::string(v)) {}
    Variant(ObjectRef v) : m_value(std::move(v)) {}
    template <class T>
    requires std::is_base_of_v<Object, T> Variant(std::shared_ptr<T> v)
        : m_value(ObjectRef(std::move(v)))
    {
    }
    // NOLINTEND(google-explicit-constructor)

    [[nodiscard]] VarType type() const;
    [[nodiscard]] bool is_empty() const { return std::holds_alternative<EmptyValue>(m_value); }
    [[nodiscard]] bool is_null() const { return std::holds_alternative<NullValue>(m_value); }
    [[nodiscard]] bool is_missing() const { return std::holds_alternative<MissingValue>(m_value); }
    [[nodiscard]] bool is_string() const { return std::holds_alternative<std::string>(m_value); }
    [[nodiscard]] bool is_object() const { return std::holds_alternative<ObjectRef>(m_value); }
    // Integer, Long, Single, Double or Boolean (a Date is not a number here).
    [[nodiscard]] bool is_numeric() const;
    // The value of an Integer, Long, Single, Double or Boolean (-1/0) as a
    // double, without conversion of text or dates; nothing for other kinds.
    [[nodiscard]] std::optional<double> number() const;

    // Typed access without conversion; raise 13 "Type mismatch" for another kind.
    [[nodiscard]] const std::string& as_string() const;
    [[nodiscard]] const ObjectRef& as_object() const;

    // The stored value itself, for visiting.
    [[nodiscard]] const Storage& storage() const { return m_value; }

    // Same kind and same value (objects: the same object). Not the language's
    // "=" operator, which converts; for tests and change detection.
    friend bool operator==(const Variant& a, const Variant& b) { return a.m_value == b.m_value; }

private:
    Storage m_value;
};

// The runtime's default text of a value: numbers as CStr writes them, dates in
// their default date-time form, Booleans "True"/"False", Empty "", Null
// "Null", an object its type name, Missing "Error 448".
[[nodiscard]] std::string to_text(const Variant& v);

// TypeName of a value ("Integer", "String", "Null", the object's class ...).
[[nodiscard]] std::string type_name(const Variant& v);

} // namespace vb

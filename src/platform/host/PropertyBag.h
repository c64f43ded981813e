#pragma once
// A property bag: the design-time values of one control, each under a key
// and tagged with its type (Integer, Long, Single, Double, Boolean, String,
// Date, or an object that stores itself). Keys compare case-insensitively
// and keep the spelling of their first write; entries keep their order.
//
// WriteProperty stores nothing when the value equals the default (and
// removes an earlier entry of that key), so that a later read yields the
// default. Values compare as the language compares them: numbers (and
// Booleans, -1 and 0) by numeric value whatever their tags, texts exactly,
// objects by their stored contents.

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/vb/Variant.h"

namespace host {

class PropertyBag {
public:
    // An object as the bag keeps it: its class and its own bag.
    struct StoredObject {
        std::string class_name;
        std::shared_ptr<const PropertyBag> bag;
    };
    using Value = std::variant<vb::Variant, StoredObject>;
    struct Entry {
        std::string key;
        Value value;
    };

    // The stored value, an object as a new object made from its snapshot, or
    // the default when the key is absent. Raises 380 for an invalid key.
    [[nodiscard]] vb::Variant ReadProperty(
        std::string_view Name, const vb::Variant& DefaultValue = vb::Variant()) const;

    // Stores the value unless it equals the default; a Missing default
    // always stores. Raises 380 for an invalid key (empty, longer than 255
    // bytes, invalid UTF-8 or control characters), for a value of a kind a
    // bag cannot keep (Empty, Null, Missing) and for an object that cannot
    // store itself.
    void WriteProperty(std::string_view Name, const vb::Variant& Value,
        const vb::Variant& DefaultValue = vb::Missing);

    [[nodiscard]] bool contains(std::string_view key) const;
    [[nodiscard]] std::size_t size() const { return m_entries.size(); }
    [[nodiscard]] bool empty() const { return m_entries.empty(); }
    [[nodiscard]] const std::vector<Entry>& entries() const { return m_entries; }

    // Adds an entry as it is, without the default rule (the form file reader
    // uses it). Raises 380 for an invalid or duplicate key.
    void add_entry(std::string key, Value value);

    // Whether the key is acceptable; an empty text when it is, otherwise
    // what is wrong with it.
    [[nodiscard]] static std::string key_problem(std::string_view key);

    friend bool operator==(const PropertyBag& a, const PropertyBag& b);

private:
    [[nodiscard]] const Entry* find(std::string_view key) const;

    std::vector<Entry> m_entries;
};

// The bag's notion of equal values (see the class comment).
[[nodiscard]] bool same_property_value(const PropertyBag::Value& a, const PropertyBag::Value& b);

} // namespace host

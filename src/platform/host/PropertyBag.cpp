#include "platform/host/PropertyBag.h"

#include "platform/gfx/Utf8.h"
#include "platform/host/Persistable.h"
#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"

namespace host {

namespace {

constexpr std::size_t k_max_key = 255;

[[noreturn]] void invalid(std::string description)
{
    vb::raise(vb::err::InvalidPropertyValue, std::move(description), "PropertyBag");
}

void check_key(std::string_view key)
{
    if (auto problem = PropertyBag::key_problem(key); !problem.empty())
        invalid(problem);
}

bool same_variant(const vb::Variant& a, const vb::Variant& b)
{
    auto na = a.number();
    auto nb = b.number();
    if (na || nb)
        return na && nb && *na == *nb;
    if (a.is_string() || b.is_string())
        return a.is_string() && b.is_string() && a.as_string() == b.as_string();
    if (a.type() == vb::VarType::Date && b.type() == vb::VarType::Date)
        return a == b;
    return false;
}

// What the bag keeps for a value: the value itself, or an object's snapshot.
PropertyBag::Value stored_form(std::string_view key, const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Single:
    case vb::VarType::Double:
    case vb::VarType::Date:
    case vb::VarType::String:
    case vb::VarType::Boolean:
        return value;
    case vb::VarType::Object: {
        const Persistable* p = persistable_of(value.as_object());
        if (!p)
            invalid("Property '" + std::string(key) + "': the object cannot store itself");
        auto bag = std::make_shared<PropertyBag>();
        p->save(*bag);
        return PropertyBag::StoredObject{std::string(p->persist_class()), std::move(bag)};
    }
    default:
        invalid("Property '" + std::string(key) + "': a " + vb::type_name(value)
            + " value cannot be stored");
    }
}

} // namespace

std::string PropertyBag::key_problem(std::string_view key)
{
    if (key.empty())
        return "Invalid property name: empty";
    if (key.size() > k_max_key)
        return "Invalid property name: longer than 255 bytes";
    if (!gfx::is_valid_utf8(key))
        return "Invalid property name: not UTF-8";
    for (char c : key) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "Invalid property name: control character";
    }
    return {};
}

bool same_property_value(const PropertyBag::Value& a, const PropertyBag::Value& b)
{
    const auto* va = std::get_if<vb::Variant>(&a);
    const auto* vb_ = std::get_if<vb::Variant>(&b);
    if (va && vb_)
        return same_variant(*va, *vb_);
    const auto* oa = std::get_if<PropertyBag::StoredObject>(&a);
    const auto* ob = std::get_if<PropertyBag::StoredObject>(&b);
    return oa && ob && vb::iequals(oa->class_name, ob->class_name) && *oa->bag == *ob->bag;
}

bool operator==(const PropertyBag& a, const PropertyBag& b)
{
    if (a.m_entries.size() != b.m_entries.size())
        return false;
    for (const auto& e : a.m_entries) {
        const auto* other = b.find(e.key);
        if (!other || !same_property_value(e.value, other->value))
            return false;
    }
    return true;
}

const PropertyBag::Entry* PropertyBag::find(std::string_view key) const
{
    for (const auto& e : m_entries) {
        if (vb::iequals(e.key, key))
            return &e;
    }
    return nullptr;
}

bool PropertyBag::contains(std::string_view key) const
{
    return find(key) != nullptr;
}

vb::Variant PropertyBag::ReadProperty(std::string_view Name, const vb::Variant& DefaultValue) const
{
    check_key(Name);
    const Entry* e = find(Name);
    if (!e)
        return DefaultValue;
    if (const auto* v = std::get_if<vb::Variant>(&e->value))
        return *v;
    const auto& stored = std::get<StoredObject>(e->value);
    const PersistableClass* cls = find_persistable_class(stored.class_name);
    if (!cls)
        invalid("Property '" + e->key + "': unknown class " + stored.class_name);
    if (auto problem = cls->problem(*stored.bag); !problem.empty())
        invalid("Property '" + e->key + "': " + problem);
    return cls->make(*stored.bag);
}

void PropertyBag::WriteProperty(
    std::string_view Name, const vb::Variant& Value, const vb::Variant& DefaultValue)
{
    check_key(Name);
    PropertyBag::Value stored = stored_form(Name, Value);
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
        [&](const Entry& e) { return vb::iequals(e.key, Name); });
    if (!DefaultValue.is_missing() && !DefaultValue.is_empty()) {
        PropertyBag::Value def = DefaultValue.is_object() ? stored_form(Name, DefaultValue)
                                                          : PropertyBag::Value(DefaultValue);
        if (same_property_value(stored, def)) {
            if (it != m_entries.end())
                m_entries.erase(it);
            return;
        }
    }
    if (it != m_entries.end())
        it->value = std::move(stored);
    else
        m_entries.push_back(Entry{std::string(Name), std::move(stored)});
}

void PropertyBag::add_entry(std::string key, Value value)
{
    check_key(key);
    if (find(key))
        invalid("Duplicate property name: " + key);
    m_entries.push_back(Entry{std::move(key), std::move(value)});
}

} // namespace host

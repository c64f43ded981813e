#pragma once
// An object that stores itself in a property bag (a font, for one). A bag
// keeps such an object as its class name and a bag of its own, so that what
// was written is a snapshot: changing the object afterwards does not change
// the bag, and every read makes a new object from the snapshot.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/vb/Object.h"

namespace host {

class PropertyBag;

class Persistable {
public:
    virtual ~Persistable() = default;
    // The name under which the class is registered ("StdFont").
    [[nodiscard]] virtual std::string_view persist_class() const = 0;
    virtual void save(PropertyBag& bag) const = 0;
};

// What the host knows of a persistable class: how to check a stored bag and
// how to make an object from one.
struct PersistableClass {
    std::string name;
    // A description of what is wrong with the bag, or "" when it is good.
    std::function<std::string(const PropertyBag&)> problem;
    // A new object from a good bag.
    std::function<vb::ObjectRef(const PropertyBag&)> make;
};

// The classes a bag can restore; StdFont is always known. Registering a
// name again replaces it. Lookups are case-insensitive.
void register_persistable_class(PersistableClass cls);
[[nodiscard]] const PersistableClass* find_persistable_class(std::string_view name);

// The persistable side of an object, or nullptr.
[[nodiscard]] const Persistable* persistable_of(const vb::ObjectRef& object);

} // namespace host

#include "platform/host/Persistable.h"

#include <deque>
#include <mutex>

#include "platform/host/PropertyBag.h"
#include "platform/host/StdFont.h"
#include "platform/vb/Ascii.h"

namespace host {

namespace {

// A deque, so that a class found stays where it is when others are added.
// NOTE: classes are meant to be registered at start-up; replacing one while
// another thread reads it is not safe.
struct Registry {
    std::mutex mutex;
    std::deque<PersistableClass> classes{PersistableClass{
        "StdFont",
        [](const PropertyBag& bag) { return StdFont::problem(bag); },
        [](const PropertyBag& bag) -> vb::ObjectRef { return StdFont::from_bag(bag); },
    }};
};

Registry& registry()
{
    static Registry r;
    return r;
}

} // namespace

void register_persistable_class(PersistableClass cls)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    for (auto& c : r.classes) {
        if (vb::iequals(c.name, cls.name)) {
            c = std::move(cls);
            return;
        }
    }
    r.classes.push_back(std::move(cls));
}

const PersistableClass* find_persistable_class(std::string_view name)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    for (const auto& c : r.classes) {
        if (vb::iequals(c.name, name))
            return &c;
    }
    return nullptr;
}

const Persistable* persistable_of(const vb::ObjectRef& object)
{
    return dynamic_cast<const Persistable*>(object.get());
}

} // namespace host

#include "platform/host/Events.h"

#include <algorithm>

#include "platform/vb/Ascii.h"

namespace host {

std::optional<vb::DispId> EventHub::id_of_name(std::string_view name) const
{
    for (const auto& e : m_table) {
        if (vb::iequals(e.name, name))
            return e.id;
    }
    return std::nullopt;
}

Subscription EventHub::subscribe(vb::DispId id, EventHandler handler)
{
    auto token = std::make_shared<EventHandler>(std::move(handler));
    std::erase_if(m_entries, [](const Entry& e) { return e.handler.expired(); });
    m_entries.push_back(Entry{id, token});
    return token;
}

Subscription EventHub::subscribe(std::string_view name, EventHandler handler)
{
    auto id = id_of_name(name);
    if (!id)
        vb::raise(vb::err::NotSupported, "No event named " + std::string(name), "EventHub");
    return subscribe(*id, std::move(handler));
}

void EventHub::RaiseEvent(vb::DispId id, std::span<vb::Variant> args)
{
    // The handlers are collected first: one may subscribe or drop tokens,
    // and a handler dropped by an earlier one no longer runs.
    std::vector<std::weak_ptr<EventHandler>> handlers;
    for (const auto& e : m_entries) {
        if (e.id == id)
            handlers.push_back(e.handler);
    }
    for (const auto& w : handlers) {
        if (auto h = w.lock())
            (*h)(args);
    }
}

} // namespace host

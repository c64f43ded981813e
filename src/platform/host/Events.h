#pragma once
// Events a control raises and its host receives, by dispatch identifier,
// with every argument passed by reference: a handler that changes an
// argument changes what the control sees after RaiseEvent returns.
//
// A host subscribes in one of three ways:
//  - by identifier, with a handler of the raw arguments;
//  - by name, through the control's event table, for a scripted host;
//  - typed, for a C++ host: on<vb::Integer, vb::Integer>(6, [](vb::Integer&
//    KeyCode, vb::Integer& Shift) { ... }), whose arguments are converted
//    from the variants before the call and written back after it.
// A subscription lasts while its token lives. Handlers run in subscription
// order; a handler may subscribe, drop tokens or raise further events.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace host {

// One event of a control's event interface.
struct EventInfo {
    vb::DispId id;
    std::string_view name;
    int arg_count;
};

using EventHandler = std::function<void(std::span<vb::Variant> args)>;
using Subscription = std::shared_ptr<void>;

namespace detail {

template <class T> T from_variant(const vb::Variant& v)
{
    if constexpr (std::is_same_v<T, vb::Variant>)
        return v;
    else if constexpr (std::is_same_v<T, vb::Integer>)
        return vb::CInt(v);
    else if constexpr (std::is_same_v<T, vb::Long>)
        return vb::CLng(v);
    else if constexpr (std::is_same_v<T, vb::Single>)
        return vb::CSng(v);
    else if constexpr (std::is_same_v<T, vb::Double>)
        return vb::CDbl(v);
    else if constexpr (std::is_same_v<T, vb::Boolean>)
        return vb::CBool(v);
    else if constexpr (std::is_same_v<T, std::string>)
        return vb::CStr(v);
    else
        static_assert(sizeof(T) == 0, "an event argument must be a runtime type");
}

} // namespace detail

class EventHub {
public:
    EventHub() = default;
    explicit EventHub(std::span<const EventInfo> table) : m_table(table) {}
    EventHub(const EventHub&) = delete;
    EventHub& operator=(const EventHub&) = delete;

    void set_table(std::span<const EventInfo> table) { m_table = table; }
    [[nodiscard]] std::span<const EventInfo> table() const { return m_table; }
    // The identifier of an event by name (case-insensitive), or nothing.
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const;

    [[nodiscard]] Subscription subscribe(vb::DispId id, EventHandler handler);
    // Raises 438 for a name the event table does not know.
    [[nodiscard]] Subscription subscribe(std::string_view name, EventHandler handler);

    // A typed handler. The event must carry exactly sizeof...(Args)
    // arguments (raises 450 otherwise); each converts as CInt, CLng, CSng,
    // CDbl, CBool or CStr would.
    template <class... Args, class F> [[nodiscard]] Subscription on(vb::DispId id, F handler)
    {
        return subscribe(id, [h = std::move(handler)](std::span<vb::Variant> args) {
            if (args.size() != sizeof...(Args))
                vb::raise(vb::err::WrongArgumentCount, "EventHub");
            call_typed<Args...>(h, args, std::index_sequence_for<Args...>{});
        });
    }

    // Calls every handler of the event with the same arguments.
    void RaiseEvent(vb::DispId id, std::span<vb::Variant> args = {});

    // The control's typed form: the values go out as variants and whatever
    // the handlers leave in them comes back, converted to the control's types.
    template <class... Args> void raise(vb::DispId id, Args&... args)
    {
        std::array<vb::Variant, sizeof...(Args)> vars{vb::Variant(args)...};
        RaiseEvent(id, vars);
        std::size_t i = 0;
        ((args = detail::from_variant<Args>(vars[i++])), ...);
    }

private:
    template <class... Args, class F, std::size_t... I>
    static void call_typed(
        F& handler, [[maybe_unused]] std::span<vb::Variant> args, std::index_sequence<I...>)
    {
        std::tuple<Args...> values{detail::from_variant<Args>(args[I])...};
        handler(std::get<I>(values)...);
        ((args[I] = vb::Variant(std::get<I>(values))), ...);
    }

    struct Entry {
        vb::DispId id;
        std::weak_ptr<EventHandler> handler;
    };

    std::span<const EventInfo> m_table;
    std::vector<Entry> m_entries;
};

} // namespace host

#include "platform/grid/DispatchSupport.h"

#include "platform/vb/Error.h"

namespace grid::dispatch {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool same_name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<vb::DispId> find(std::span<const Member> table, std::string_view name)
{
    for (const Member& m : table) {
        if (same_name(m.name, name)) {
            return m.id;
        }
    }
    return std::nullopt;
}

void fail(std::span<const Member> table, vb::DispId id, std::string_view source)
{
    for (const Member& m : table) {
        if (m.id == id) {
            vb::raise(vb::err::WrongArgumentCount, std::string(source) + "." + std::string(m.name));
        }
    }
    vb::raise(vb::err::NotSupported, std::string(source));
}

vb::ObjectRef object_in(const vb::Variant& v)
{
    const auto* o = std::get_if<vb::ObjectRef>(&v.storage());
    return o != nullptr ? *o : nullptr;
}

void expect(std::span<vb::Variant> args, std::size_t n, std::string_view source)
{
    if (args.size() != n) {
        vb::raise(vb::err::WrongArgumentCount, std::string(source));
    }
}

const vb::Variant& put_value(std::span<vb::Variant> args, std::size_t n, std::string_view source)
{
    expect(args, n + 1, source);
    return args.back();
}

} // namespace grid::dispatch

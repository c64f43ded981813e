#include "platform/ado/Halves.h"

#include <exception>
#include <system_error>
#include <thread>

namespace ado {

void in_halves(bool split, const std::function<void(int half)>& f)
{
    std::exception_ptr second;
    std::thread other;
    if (split) {
        try {
            other = std::thread([&] {
                try {
                    f(1);
                } catch (...) {
                    second = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            split = false;
        }
    }
    std::exception_ptr first;
    try {
        f(0);
    } catch (...) {
        first = std::current_exception();
    }
    if (split)
        other.join();
    else if (!first)
        f(1);
    if (first)
        std::rethrow_exception(first);
    if (second)
        std::rethrow_exception(second);
}

} // namespace ado

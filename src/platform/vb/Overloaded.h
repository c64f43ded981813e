#pragma once
// A visitor made of lambdas, one per alternative of a std::variant.

namespace vb {

template <class... Fs> struct Overloaded : Fs... {
    using Fs::operator()...;
};
template <class... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

} // namespace vb

#pragma once

namespace swivex {

// One callable made of several lambdas, each taking one kind of a std::variant, for std::visit.
template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace swivex

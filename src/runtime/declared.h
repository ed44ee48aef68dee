// A platform function declared by library name and entry point and bound on its first call, as
// every object of the program declares what it calls. It is also the test seam: Replace() puts a
// fake in its place for one scope.
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

#if defined(_WIN32) && !defined(_WIN64)
#define VORNACLE_API __stdcall
#else
#define VORNACLE_API
#endif

namespace vornacle {

// Loads the library and finds the entry point; raises failure 53 for a library that cannot be
// loaded and 453 for a missing entry point. Natively on Linux nothing can be bound.
void* BindEntry(const char* library, const char* entry);

// A function that a test can put a fake in place of for one scope: a declared platform function, or
// a platform's part that the portable code calls. Empty, it has nothing to call.
template <typename Signature>
class Replaceable;

template <typename R, typename... Args>
class Replaceable<R(Args...)> {
 public:
  using Function = std::function<R(Args...)>;

  explicit Replaceable(Function function = {}) : function_(std::move(function)) {}
  Replaceable(const Replaceable&) = delete;
  Replaceable& operator=(const Replaceable&) = delete;

  R operator()(Args... args) const { return function_(args...); }

  // Restores whatever stood before it when it goes out of scope, so replacements may nest.
  class [[nodiscard]] Replacement {
   public:
    Replacement(Replaceable& replaceable, Function fake)
        : replaceable_(replaceable), previous_(std::exchange(replaceable.function_, std::move(fake))) {}
    ~Replacement() { replaceable_.function_ = std::move(previous_); }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

   private:
    Replaceable& replaceable_;
    Function previous_;
  };

  Replacement Replace(Function fake) { return Replacement(*this, std::move(fake)); }

 protected:
  Function function_;
};

template <typename Signature>
class Declared;

template <typename R, typename... Args>
class Declared<R(Args...)> : public Replaceable<R(Args...)> {
 public:
  using Pointer = R(VORNACLE_API*)(Args...);

  Declared(const char* library, const char* entry) : library_(library), entry_(entry) {}

  // The fake where a test put one, or else the platform's function, bound on the first call.
  R operator()(Args... args) {
    if (this->function_) return this->function_(args...);
    if (bound_ == nullptr) bound_ = reinterpret_cast<Pointer>(BindEntry(library_, entry_));
    return bound_(args...);
  }

 private:
  const char* library_;
  const char* entry_;
  Pointer bound_ = nullptr;
};

namespace detail {
template <std::size_t...>
struct Sizes {};
template <typename T>
inline constexpr std::size_t kSizeOf = sizeof(T);
template <>
inline constexpr std::size_t kSizeOf<void> = 0;
}  // namespace detail

// Whether a declaration has the shape of the platform's own prototype, for a static_assert in the
// Win32 files: called the same way, with as many parameters, each and the result of the same size.
// A mismatch would corrupt the stack of a 32-bit program, where the callee pops its arguments.
template <typename Declaration, typename SdkPointer>
inline constexpr bool kSameShape = false;
template <typename R, typename... Args, typename SdkR, typename... SdkArgs>
inline constexpr bool kSameShape<Declared<R(Args...)>, SdkR(VORNACLE_API*)(SdkArgs...)> =
    std::is_same_v<detail::Sizes<detail::kSizeOf<R>, sizeof(Args)...>,
                   detail::Sizes<detail::kSizeOf<SdkR>, sizeof(SdkArgs)...>>;

}  // namespace vornacle

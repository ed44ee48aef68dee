// The program file leaves out what the C++ runtime would link in for failures that never reach it:
// every failure is caught before a window procedure returns, so nothing is left for the verbose
// terminate handler (and its symbol demangler and printf machinery) to report; and the library's
// own errors (a text too long to hold, an argument out of range) become the program's run-time
// failures directly, without the standard exception classes and their second string type.
#include <cstdlib>
#include <new>
#include <string>

#include "runtime/failure.h"

namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
[[noreturn]] void __throw_bad_alloc() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw bad_alloc(); }
[[noreturn]] void __throw_length_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_logic_error(const char* what) {
  throw vornacle::RuntimeFailure{vornacle::kErrInternal, string("Internal error: ") + what};
}
[[noreturn]] void __throw_out_of_range_fmt(const char* what, ...) {
  throw vornacle::RuntimeFailure{vornacle::kErrInternal, string("Internal error: ") + what};
}
[[noreturn]] void __throw_bad_function_call() {
  throw vornacle::RuntimeFailure{vornacle::kErrInternal, "Internal error: bad_function_call"};
}
}  // namespace std

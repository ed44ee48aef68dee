// Conversions through the ANSI code page that refuse, rather than alter, what the code page cannot
// hold.
#include <windows.h>

#include "runtime/failure.h"
#include "runtime/text.h"

namespace vornacle {

std::optional<std::string> ExactNarrow(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int length = static_cast<int>(wide.size());
  // A system whose ANSI code page is UTF-8 takes no best-fit flag, and needs none.
  const DWORD flags = GetACP() == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  const int size = WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, narrow.data(), size, nullptr, nullptr);
  // Whatever the code page replaced (a default character, a look-alike) does not come back as it was.
  if (Widen(narrow) != wide) return std::nullopt;
  return narrow;
}

std::wstring Widen(std::string_view narrow) {
  if (narrow.empty()) return std::wstring();
  const int length = static_cast<int>(narrow.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, narrow.data(), length, nullptr, 0);
  if (size <= 0) throw RuntimeFailure{kErrOutOfMemory, "Out of memory"};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, narrow.data(), length, wide.data(), size);
  return wide;
}

}  // namespace vornacle

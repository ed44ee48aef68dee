// Descriptions come from the system, in its language, without the line break it ends them with.
#include <windows.h>

#include <string>

#include "runtime/system_failure.h"

namespace vornacle {

RuntimeFailure SystemFailure(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string description = length != 0 && text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) LocalFree(text);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r'))
    description.pop_back();
  if (description.empty()) description = "System error " + std::to_string(error);
  return RuntimeFailure{static_cast<long>(error), description};
}

}  // namespace vornacle

// The run-time failure that error guards catch: a number and a description, as users see them reported.
#pragma once

#include <string>

namespace vornacle {

struct RuntimeFailure {
  long number;
  std::string description;
};

// Failure numbers the program raises itself.
inline constexpr long kErrInvalidCall = 5;
inline constexpr long kErrOutOfMemory = 7;
inline constexpr long kErrInternal = 51;
inline constexpr long kErrFileNotFound = 53;
inline constexpr long kErrEntryPointNotFound = 453;

// The failure in flight, for use inside catch (...): anything that is not already a RuntimeFailure
// becomes one, so that an error guard reports every failure the same way and none escapes it.
RuntimeFailure CurrentFailure();

}  // namespace vornacle

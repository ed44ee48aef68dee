// Appends one entry to a hosts file in a single write, or changes nothing.
#pragma once

#include <string>

namespace vornacle {

// Raises the platform's failure (its error number and text) when the file cannot be opened or
// written, and ERROR_INVALID_DATA when a text would break the line.
void AppendHostsEntry(const std::string& path, const std::string& address, const std::string& name);

}  // namespace vornacle

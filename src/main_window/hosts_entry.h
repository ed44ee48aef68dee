// The hosts-file entry: where the file is and the bytes one entry appends to it.
#pragma once

#include <string>

namespace vornacle {

// The Windows directory as the platform reports it, or the empty text when it cannot.
std::string WindowsDirectory();

// The hosts file the system's resolver reads, below the Windows directory.
inline constexpr char kHostsFileBelowWindows[] = "\\System32\\drivers\\etc\\hosts";

// A box text that could add lines of its own to the file (CR, LF or NUL) is never written.
bool FitsOnHostsLine(const std::string& text);

// The bytes appended for one entry: the address, two spaces, the name and CR LF, after a CR LF of
// their own when the file's last line has no line end yet, so that no two entries merge.
std::string HostsLine(const std::string& address, const std::string& name, bool file_ends_mid_line);

}  // namespace vornacle

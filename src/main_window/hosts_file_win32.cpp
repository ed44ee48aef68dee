// Opened for appending only and written in one piece, under a lock that every copy of the program
// takes, so that entries appended at the same time neither overwrite nor split each other (an
// append-only handle alone does not guarantee that everywhere). The file is closed on every path.
#include "main_window/hosts_file_win32.h"

#include <windows.h>

#include "main_window/hosts_entry.h"
#include "runtime/handles.h"
#include "runtime/system_failure.h"

namespace vornacle {

namespace {

// Whether the file's last byte is something other than a line feed.
bool EndsMidLine(HANDLE file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) throw SystemFailure(GetLastError());
  if (size.QuadPart == 0) return false;
  OVERLAPPED at_last_byte{};
  const ULONGLONG last = static_cast<ULONGLONG>(size.QuadPart) - 1;
  at_last_byte.Offset = static_cast<DWORD>(last);
  at_last_byte.OffsetHigh = static_cast<DWORD>(last >> 32);
  char byte = 0;
  DWORD read = 0;
  if (!ReadFile(file, &byte, 1, &read, &at_last_byte)) throw SystemFailure(GetLastError());
  return read == 1 && byte != '\n';
}

// A lock on one byte far beyond any real end of file: it serialises the appenders without
// keeping readers or writers of the content out.
class AppendLock {
 public:
  explicit AppendLock(HANDLE file) : file_(file) {
    if (!LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, Place())) throw SystemFailure(GetLastError());
  }
  ~AppendLock() { UnlockFileEx(file_, 0, 1, 0, Place()); }
  AppendLock(const AppendLock&) = delete;
  AppendLock& operator=(const AppendLock&) = delete;

 private:
  OVERLAPPED* Place() {
    place_ = OVERLAPPED{};
    place_.Offset = 0xFFFFFFFF;
    place_.OffsetHigh = 0x7FFFFFFF;
    return &place_;
  }
  HANDLE file_;
  OVERLAPPED place_{};
};

}  // namespace

void AppendHostsEntry(const std::string& path, const std::string& address, const std::string& name) {
  if (!FitsOnHostsLine(address) || !FitsOnHostsLine(name)) throw SystemFailure(ERROR_INVALID_DATA);

  HANDLE opened =
      CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) throw SystemFailure(GetLastError());
  UniqueFile file(opened);
  const AppendLock lock(file.get());
  const std::string line = HostsLine(address, name, EndsMidLine(file.get()));
  DWORD written = 0;
  if (!WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
    throw SystemFailure(GetLastError());
  }
  if (written != line.size()) throw SystemFailure(ERROR_WRITE_FAULT);
}

}  // namespace vornacle

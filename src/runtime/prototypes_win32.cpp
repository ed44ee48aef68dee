// Holds the portable code's picture of the platform to the platform's own headers: each declared
// function to its prototype, and the resolver's records to their layout.
#include <windows.h>

#include <shellapi.h>
#include <winsock.h>

#include <cstddef>

#include "about/Module2.h"
#include "about/registry.h"
#include "main_window/Module1.h"
#include "resolve/clsResolve.h"

namespace vornacle {

static_assert(kSameShape<decltype(wsock32::WSAStartup), decltype(&::WSAStartup)>);
static_assert(kSameShape<decltype(wsock32::WSACleanup), decltype(&::WSACleanup)>);
static_assert(kSameShape<decltype(wsock32::gethostbyname), decltype(&::gethostbyname)>);
static_assert(kSameShape<decltype(wsock32::gethostbyaddr), decltype(&::gethostbyaddr)>);
static_assert(kSameShape<decltype(wsock32::inet_addr), decltype(&::inet_addr)>);
static_assert(kSameShape<decltype(Module1::GetWindowsDirectoryA), decltype(&::GetWindowsDirectoryA)>);
static_assert(kSameShape<decltype(advapi32::RegOpenKeyExA), decltype(&::RegOpenKeyExA)>);
static_assert(kSameShape<decltype(advapi32::RegQueryValueExA), decltype(&::RegQueryValueExA)>);
static_assert(kSameShape<decltype(advapi32::RegCloseKey), decltype(&::RegCloseKey)>);
static_assert(kSameShape<decltype(shell32::ShellExecuteA), decltype(&::ShellExecuteA)>);

static_assert(sizeof(HostRecord) == sizeof(hostent));
static_assert(offsetof(HostRecord, h_name) == offsetof(hostent, h_name));
static_assert(offsetof(HostRecord, h_length) == offsetof(hostent, h_length));
static_assert(offsetof(HostRecord, h_addr_list) == offsetof(hostent, h_addr_list));
static_assert(kStartupRecordSize >= sizeof(WSADATA));
static_assert(kWinsockVersion11 == MAKEWORD(1, 1) && kAfInet == AF_INET && kInvalidAddress == INADDR_NONE);
static_assert(kKeyRead == KEY_READ && kKeyWow64_64Key == KEY_WOW64_64KEY && kRegSz == REG_SZ &&
              kRegDword == REG_DWORD);

}  // namespace vornacle

// Holds the resolver's picture of the platform to the platform's own headers: each declared
// function to its prototype, and the records and constants to their layout and values.
#include <windows.h>

#include <winsock.h>

#include <cstddef>

#include "resolve/clsResolve.h"

namespace vornacle {

static_assert(kSameShape<decltype(wsock32::WSAStartup), decltype(&::WSAStartup)>);
static_assert(kSameShape<decltype(wsock32::WSACleanup), decltype(&::WSACleanup)>);
static_assert(kSameShape<decltype(wsock32::gethostbyname), decltype(&::gethostbyname)>);
static_assert(kSameShape<decltype(wsock32::gethostbyaddr), decltype(&::gethostbyaddr)>);
static_assert(kSameShape<decltype(wsock32::inet_addr), decltype(&::inet_addr)>);

static_assert(sizeof(HostRecord) == sizeof(hostent));
static_assert(offsetof(HostRecord, h_name) == offsetof(hostent, h_name));
static_assert(offsetof(HostRecord, h_length) == offsetof(hostent, h_length));
static_assert(offsetof(HostRecord, h_addr_list) == offsetof(hostent, h_addr_list));
static_assert(kStartupRecordSize >= sizeof(WSADATA));
static_assert(kWinsockVersion11 == MAKEWORD(1, 1) && kAfInet == AF_INET && kInvalidAddress == INADDR_NONE);

}  // namespace vornacle

// Holds the resolver's own picture of the platform's records to the platform's headers.
#include <winsock.h>

#include <cstddef>

#include "resolve/clsResolve.h"

namespace vornacle {
static_assert(sizeof(HostRecord) == sizeof(hostent));
static_assert(offsetof(HostRecord, h_name) == offsetof(hostent, h_name));
static_assert(offsetof(HostRecord, h_length) == offsetof(hostent, h_length));
static_assert(offsetof(HostRecord, h_addr_list) == offsetof(hostent, h_addr_list));
static_assert(kStartupRecordSize >= sizeof(WSADATA));
static_assert(kWinsockVersion11 == MAKEWORD(1, 1) && kAfInet == AF_INET && kInvalidAddress == INADDR_NONE);
}  // namespace vornacle

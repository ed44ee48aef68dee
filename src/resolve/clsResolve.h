// The resolver: host name to first IPv4 address text, and address text to the host's official name,
// through the Windows Sockets 1.1 name service. One instance serves one lookup and keeps no state.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/declared.h"

namespace vornacle {

// The platform's host record. Natural alignment gives the platform's own layout on either width.
struct HostRecord {
  char* h_name;
  char** h_aliases;
  std::int16_t h_addrtype;
  std::int16_t h_length;
  char** h_addr_list;
};

// What the resolver declares from the platform, in one place so that tests can stand in for it.
namespace wsock32 {
inline Declared<int(std::uint16_t, void*)> WSAStartup{"wsock32.dll", "WSAStartup"};
inline Declared<int()> WSACleanup{"wsock32.dll", "WSACleanup"};
inline Declared<HostRecord*(const char*)> gethostbyname{"wsock32.dll", "gethostbyname"};
inline Declared<HostRecord*(const char*, int, int)> gethostbyaddr{"wsock32.dll", "gethostbyaddr"};
inline Declared<std::uint32_t(const char*)> inet_addr{"wsock32.dll", "inet_addr"};
}  // namespace wsock32

inline constexpr std::uint16_t kWinsockVersion11 = 0x0101;
inline constexpr int kAfInet = 2;
inline constexpr std::uint32_t kInvalidAddress = 0xFFFFFFFFu;
// The start-up record the platform fills: 400 bytes in the 32-bit layout, 408 in the 64-bit one.
inline constexpr std::size_t kStartupRecordSize = 408;

class clsResolve {
 public:
  std::string GetIPFromHostName(std::string sHostName);
  std::string GetHostNameFromIP(std::string sIPAddress);

 private:
  bool StartSockets();
  void StopSockets();
  std::string GetIPText(const std::string& address_bytes);
};

}  // namespace vornacle

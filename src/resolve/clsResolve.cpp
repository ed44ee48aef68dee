// Each lookup starts the sockets library once; only the reverse lookup's later paths stop it again,
// which callers observe through the platform's start count.
#include "resolve/clsResolve.h"

#include <array>
#include <cstring>

#include "runtime/msgbox.h"

namespace vornacle {

namespace {
constexpr std::size_t kAddressBytes = 4;
}

bool clsResolve::StartSockets() {
  std::array<unsigned char, kStartupRecordSize> startup_record{};
  return wsock32::WSAStartup(kWinsockVersion11, startup_record.data()) == 0;
}

void clsResolve::StopSockets() {
  if (wsock32::WSACleanup() != 0) MsgBox("Error calling apiWSACleanup.", kMsgCritical);
}

std::string clsResolve::GetIPText(const std::string& address_bytes) {
  std::string text;
  for (std::size_t i = 0; i < kAddressBytes; ++i) {
    if (i > 0) text += '.';
    text += std::to_string(static_cast<unsigned char>(address_bytes[i]));
  }
  return text;
}

std::string clsResolve::GetIPFromHostName(std::string sHostName) {
  if (!StartSockets()) {
    MsgBox("Failed to open Socket.");
    return {};
  }
  // c_str() ends the name at its first NUL, as the platform reads it.
  const HostRecord* record = wsock32::gethostbyname(sHostName.c_str());
  if (record == nullptr) return {};

  // A record without a first address, or with one wider than IPv4, has no address text to give.
  if (record->h_addr_list == nullptr || record->h_addr_list[0] == nullptr) return {};
  if (record->h_length < 0 || record->h_length > static_cast<int>(kAddressBytes)) return {};

  std::string address_bytes(kAddressBytes, ' ');
  std::memcpy(address_bytes.data(), record->h_addr_list[0], static_cast<std::size_t>(record->h_length));
  return GetIPText(address_bytes);
}

std::string clsResolve::GetHostNameFromIP(std::string sIPAddress) {
  if (!StartSockets()) {
    MsgBox("Failed to open Socket");
    return {};
  }
  const std::uint32_t address = wsock32::inet_addr(sIPAddress.c_str());
  if (address == kInvalidAddress) {
    MsgBox("Invalid IP address");
    return {};
  }
  const HostRecord* record =
      wsock32::gethostbyaddr(reinterpret_cast<const char*>(&address), sizeof address, kAfInet);
  if (record == nullptr) {
    MsgBox("Call to gethostbyaddr failed.");
    StopSockets();
    return {};
  }
  std::string name = record->h_name == nullptr ? std::string() : std::string(record->h_name);
  StopSockets();
  return name;
}

}  // namespace vornacle

// Feeds the resolver host records of every shape the platform could hand back, and every answer of
// the sockets start, stop and address parser.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "resolve/clsResolve.h"
#include "runtime/failure.h"
#include "runtime/msgbox.h"

namespace {

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::string Bytes(std::size_t n) {
    n = std::min(n, size);
    std::string out(reinterpret_cast<const char*>(data), n);
    data += n;
    size -= n;
    return out;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vornacle;
  Input in{data, size};
  const std::uint8_t flags = in.Byte();
  const auto length = static_cast<std::int16_t>(in.Byte() | (in.Byte() << 8));
  const std::size_t addresses = in.Byte() % 4;
  std::string name = in.Bytes(in.Byte());
  std::uint32_t parsed = 0;
  const std::string parsed_bytes = in.Bytes(4);
  std::memcpy(&parsed, parsed_bytes.data(), parsed_bytes.size());

  // Each address holds exactly the bytes the record claims, so any read past them is caught.
  std::vector<std::vector<char>> storage;
  for (std::size_t i = 0; i < addresses; ++i) {
    const std::string bytes = in.Bytes(length > 0 ? static_cast<std::size_t>(length) : 0);
    storage.emplace_back(bytes.begin(), bytes.end());
    storage.back().resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  }
  std::vector<char*> list;
  for (auto& address : storage) list.push_back(address.data());
  list.push_back(nullptr);
  HostRecord record{(flags & 8) ? nullptr : name.data(), nullptr, 2, length,
                    (flags & 16) ? nullptr : list.data()};
  HostRecord* answer = (flags & 4) ? nullptr : &record;

  auto startup = wsock32::WSAStartup.Replace([&](std::uint16_t, void* record) {
    std::memset(record, 0xA5, kStartupRecordSize);
    return (flags & 1) ? 10091 : 0;
  });
  auto cleanup = wsock32::WSACleanup.Replace([&] { return (flags & 2) ? -1 : 0; });
  auto byname = wsock32::gethostbyname.Replace([&](const char*) { return answer; });
  auto byaddr = wsock32::gethostbyaddr.Replace([&](const char* address, int length, int) {
    std::uint32_t value;
    std::memcpy(&value, address, sizeof value);
    if (length != 4 || value != parsed) __builtin_trap();
    return answer;
  });
  auto inet_addr = wsock32::inet_addr.Replace([&](const char*) { return parsed; });

  MsgBoxCapture boxes;
  const std::string address = clsResolve().GetIPFromHostName(name);
  if (address.size() > 15) __builtin_trap();
  clsResolve().GetHostNameFromIP(address);
  return 0;
}

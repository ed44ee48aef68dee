// Stands in for wsock32 for one test: serves host records of the test's choosing and records every
// call, so that tests can assert on what the resolver asked of the platform and in which order.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "resolve/clsResolve.h"

namespace vornacle::testing {

// A host record with storage of its own, shaped as the test asks.
struct FakeHost {
  std::string name;
  bool null_name = false;
  std::vector<std::vector<unsigned char>> addresses;
  std::int16_t address_length = 4;
  bool null_address_list = false;

  HostRecord* Record() {
    address_pointers.clear();
    for (auto& address : addresses) address_pointers.push_back(reinterpret_cast<char*>(address.data()));
    address_pointers.push_back(nullptr);
    record = HostRecord{null_name ? nullptr : name.data(), aliases, 2, address_length,
                        null_address_list ? nullptr : address_pointers.data()};
    return &record;
  }

  char* aliases[1] = {nullptr};
  std::vector<char*> address_pointers;
  HostRecord record{};
};

class FakeWsock32 {
 public:
  int startup_result = 0;
  int cleanup_result = 0;
  std::map<std::string, FakeHost> by_name;
  std::map<std::uint32_t, FakeHost> by_address;

  // Every call in order, e.g. "WSAStartup", "gethostbyname(printer1)", "WSACleanup".
  std::vector<std::string> calls;
  std::vector<std::uint16_t> startup_versions;
  bool startup_record_was_zero = true;

  int Starts() const { return Count("WSAStartup"); }
  int Stops() const { return Count("WSACleanup"); }

 private:
  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call;
    return n;
  }

  // The real 64-bit platform fills 408 bytes of the record; write them all so that a short buffer
  // shows up under AddressSanitizer.
  Declared<int(std::uint16_t, void*)>::Replacement startup_ =
      wsock32::WSAStartup.Replace([this](std::uint16_t version, void* record) {
        calls.push_back("WSAStartup");
        startup_versions.push_back(version);
        auto* bytes = static_cast<unsigned char*>(record);
        for (std::size_t i = 0; i < kStartupRecordSize; ++i) startup_record_was_zero &= bytes[i] == 0;
        std::memset(record, 0x5A, kStartupRecordSize);
        return startup_result;
      });
  Declared<int()>::Replacement cleanup_ = wsock32::WSACleanup.Replace([this] {
    calls.push_back("WSACleanup");
    return cleanup_result;
  });
  Declared<HostRecord*(const char*)>::Replacement byname_ =
      wsock32::gethostbyname.Replace([this](const char* name) -> HostRecord* {
        calls.push_back("gethostbyname(" + std::string(name) + ")");
        auto found = by_name.find(name);
        return found == by_name.end() ? nullptr : found->second.Record();
      });
  Declared<HostRecord*(const char*, int, int)>::Replacement byaddr_ =
      wsock32::gethostbyaddr.Replace([this](const char* address, int length, int type) -> HostRecord* {
        std::uint32_t value = 0;
        std::memcpy(&value, address, sizeof value);
        calls.push_back("gethostbyaddr(" + std::to_string(value) + "," + std::to_string(length) + "," +
                        std::to_string(type) + ")");
        auto found = by_address.find(value);
        return found == by_address.end() ? nullptr : found->second.Record();
      });
  // Parses only plain dotted quads; the real parser's wider forms are tested under wine.
  Declared<std::uint32_t(const char*)>::Replacement inet_addr_ =
      wsock32::inet_addr.Replace([this](const char* text) -> std::uint32_t {
        calls.push_back("inet_addr(" + std::string(text) + ")");
        unsigned a, b, c, d;
        char tail;
        if (std::sscanf(text, "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 255 || b > 255 || c > 255 ||
            d > 255)
          return kInvalidAddress;
        const unsigned char bytes[4] = {static_cast<unsigned char>(a), static_cast<unsigned char>(b),
                                        static_cast<unsigned char>(c), static_cast<unsigned char>(d)};
        std::uint32_t value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
      });
};

// The value inet_addr gives for a.b.c.d: network order in memory.
inline std::uint32_t NetworkAddress(unsigned char a, unsigned char b, unsigned char c, unsigned char d) {
  const unsigned char bytes[4] = {a, b, c, d};
  std::uint32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace vornacle::testing

// Stand-ins for the platform functions that the portable code declares. Each writes what it was
// asked, and each message box shown, into one transcript, so that a test compares the whole
// conversation, in its order, with one expected text.
#pragma once

#include <arpa/inet.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "about/registry.h"
#include "resolve/clsResolve.h"
#include "runtime/msgbox.h"

namespace vornacle::testing {

struct Transcript {  // message boxes as "box(title|flags|prompt)"
  std::string text;
  MsgBoxCapture boxes;
  Transcript() {
    boxes.on_show = [this](auto& b) {
      Add("box(" + b.title + "|" + std::to_string(b.flags) + "|" + b.prompt + ")");
    };
  }
  void Add(const std::string& entry) { text += entry + " "; }
};

struct FakeHost {  // the record handed back to every query
  std::vector<std::string> addresses{std::string("\xC0\x00\x02\x07", 4)};
  std::int16_t length = 4;
  const char* name = "alpha.example";
  bool null_list = false;
};

// wsock32 answering each query with `host` (none: nothing found), starting and stopping with the
// results given; the 64-bit platform fills 408 bytes of the start-up record.
struct FakeWsock32 {
  FakeWsock32(Transcript& log, std::optional<FakeHost> host, int startup = 0, int cleanup = 0)
      : log(log), host(std::move(host)), startup(startup), cleanup(cleanup) {
    if (!this->host) return;
    for (auto& address : this->host->addresses) list.push_back(address.data());
    list.push_back(nullptr);
    record = {const_cast<char*>(this->host->name), nullptr, 2, this->host->length,
              this->host->null_list ? nullptr : list.data()};
  }
  HostRecord* Answer(const std::string& call) { return log.Add(call), host ? &record : nullptr; }
  Transcript& log;
  std::optional<FakeHost> host;
  int startup, cleanup;
  std::vector<char*> list;
  HostRecord record{};
  Declared<int(std::uint16_t, void*)>::Replacement s =
      wsock32::WSAStartup.Replace([this](auto version, void* data) {
        return Answer("start(" + std::to_string(version) + ")"), std::memset(data, 0x5A, 408), startup;
      });
  Declared<int()>::Replacement c = wsock32::WSACleanup.Replace([this] { return Answer("stop"), cleanup; });
  Declared<HostRecord*(const char*)>::Replacement n = wsock32::gethostbyname.Replace(
      [this](const char* name) { return Answer("byname(" + std::string(name) + ")"); });
  Declared<HostRecord*(const char*, int, int)>::Replacement a =
      wsock32::gethostbyaddr.Replace([this](const char* address, int length, int type) {
        const std::string dotted = ::inet_ntoa(*reinterpret_cast<const in_addr*>(address));
        return Answer("byaddr(" + dotted + "," + std::to_string(length) + "," + std::to_string(type) + ")");
      });
  // The C library's parser stands in for the platform's: they agree on plain dotted quads.
  Declared<std::uint32_t(const char*)>::Replacement p = wsock32::inet_addr.Replace(
      [this](const char* text) { return Answer("parse(" + std::string(text) + ")"), ::inet_addr(text); });
};

struct RegistryValue {
  std::uint32_t type;
  std::string bytes;
};

// One key "K", opened as handle 1234 when it exists, holding at most one value "V".
struct FakeRegistry {
  Transcript& log;
  bool key_exists;
  std::optional<RegistryValue> value;
  Declared<std::int32_t(void*, const char*, std::uint32_t, std::uint32_t, void**)>::Replacement o =
      advapi32::RegOpenKeyExA.Replace(
          [this](void* root, const char* name, auto options, auto mask, void** key) {
            char line[64];
            std::snprintf(line, sizeof line, "open(%zx,%s,%u,%x)", std::size_t(root), name, options, mask);
            log.Add(line);
            if (key_exists) *key = reinterpret_cast<void*>(0x1234);
            return key_exists ? 0 : 2;  // ERROR_FILE_NOT_FOUND
          });
  Declared<std::int32_t(void*, const char*, std::uint32_t*, std::uint32_t*, unsigned char*,
                        std::uint32_t*)>::Replacement q =
      advapi32::RegQueryValueExA.Replace(
          [this](void*, const char* name, auto*, auto* type, auto* data, auto* size) {
            log.Add("query(" + std::string(name) + "," + std::to_string(*size) + ")");
            if (!value || value->bytes.size() > *size)
              return value ? 234 : 2;  // ERROR_MORE_DATA, ERROR_FILE_NOT_FOUND
            std::memcpy(data, value->bytes.data(), *size = std::uint32_t(value->bytes.size()));
            return *type = value->type, 0;
          });
  Declared<std::int32_t(void*)>::Replacement c = advapi32::RegCloseKey.Replace(
      [this](void* key) { return log.Add(key ? "close(1234)" : "close(0)"), 0; });
};

}  // namespace vornacle::testing

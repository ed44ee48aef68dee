// GetKeyValue against a stand-in registry: value shapes, the trim, conversions, failures, the close.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "about/registry.h"
#include "runtime/failure.h"

namespace vornacle {
namespace {

struct Value {
  std::uint32_t type;
  std::string bytes;
};

// Keys are opened as handle 0x1234; every call is recorded.
class FakeRegistry {
 public:
  std::map<std::string, std::map<std::string, Value>> keys;
  std::vector<std::string> calls;
  std::vector<std::uint32_t> masks;
  std::vector<std::intptr_t> roots;
  std::vector<std::uint32_t> sizes_offered;
  bool buffer_was_zero = true;

 private:
  static constexpr std::intptr_t kHandle = 0x1234;
  std::string open_key_;

  Declared<std::int32_t(void*, const char*, std::uint32_t, std::uint32_t, void**)>::Replacement open_ =
      advapi32::RegOpenKeyExA.Replace(
          [this](void* root, const char* name, std::uint32_t options, std::uint32_t mask, void** key) {
            calls.push_back("open " + std::string(name) + " " + std::to_string(options));
            roots.push_back(reinterpret_cast<std::intptr_t>(root));
            masks.push_back(mask);
            if (!keys.contains(name)) return 2;  // ERROR_FILE_NOT_FOUND
            open_key_ = name;
            *key = reinterpret_cast<void*>(kHandle);
            return 0;
          });
  Declared<std::int32_t(void*, const char*, std::uint32_t*, std::uint32_t*, unsigned char*,
                        std::uint32_t*)>::Replacement query_ =
      advapi32::RegQueryValueExA.Replace([this](void* key, const char* name, std::uint32_t* reserved,
                                                std::uint32_t* type, unsigned char* data,
                                                std::uint32_t* size) {
        calls.push_back("query " + std::string(name));
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(key), kHandle);
        EXPECT_EQ(reserved, nullptr);
        sizes_offered.push_back(*size);
        buffer_was_zero = std::all_of(data, data + *size, [](unsigned char b) { return b == 0; });
        auto& values = keys[open_key_];
        auto found = values.find(name);
        if (found == values.end()) return 2;
        if (found->second.bytes.size() > *size) return 234;  // ERROR_MORE_DATA
        std::memcpy(data, found->second.bytes.data(), found->second.bytes.size());
        *type = found->second.type;
        *size = static_cast<std::uint32_t>(found->second.bytes.size());
        return 0;
      });
  Declared<std::int32_t(void*)>::Replacement close_ = advapi32::RegCloseKey.Replace([this](void* key) {
    calls.push_back("close " + std::to_string(reinterpret_cast<std::intptr_t>(key)));
    return 0;
  });
};

class GetKeyValueTest : public ::testing::Test {
 protected:
  // Reads value "V" of key "K" holding the given value, starting from the given KeyVal.
  std::pair<bool, std::string> Read(Value value, std::string key_val = "") {
    registry.keys["K"]["V"] = std::move(value);
    const bool result = GetKeyValue(kHkeyLocalMachine, "K", "V", key_val);
    return {result, key_val};
  }
  FakeRegistry registry;
};

using std::string_literals::operator""s;

TEST_F(GetKeyValueTest, DwordBytesAreWrittenLastFirstInHexAfterOneTrim) {
  EXPECT_EQ(Read({kRegDword, "\x0A\x00\x01\x00"s}), std::make_pair(true, "&h10A"s));
  // Each byte without its leading zero: 10 00 05 FF reads "10", "0", "5", "FF".
  EXPECT_EQ(Read({kRegDword, "\xFF\x05\x00\x10"s}), std::make_pair(true, "&h1005FF"s));
  EXPECT_EQ(Read({kRegDword, "\x0A\x00\x01\x00"s}, "7"), std::make_pair(true, "&h710A"s))
      << "the digits follow the text KeyVal came with";
}

TEST_F(GetKeyValueTest, StringsLoseOneTerminatorOnly) {
  EXPECT_EQ(Read({kRegSz, "C:\\tool.exe\0"s}, "old"), std::make_pair(true, "C:\\tool.exe"s));
  EXPECT_EQ(Read({kRegSz, "C:\\tool.exe"s}), std::make_pair(true, "C:\\tool.exe"s));
  EXPECT_EQ(Read({kRegSz, "C:\\tool.exe\0\0"s}), std::make_pair(true, "C:\\tool.exe\0"s));
  EXPECT_EQ(Read({kRegSz, "a\0b\0"s}), std::make_pair(true, "a\0b"s));
}

TEST_F(GetKeyValueTest, ValuesUpTo1024BytesAreReadWholeAndLongerOnesFail) {
  const std::string full(1024, 'x');
  EXPECT_EQ(Read({kRegSz, full}), std::make_pair(true, full));
  EXPECT_EQ(Read({kRegSz, full + "y"}, "old"), std::make_pair(false, ""s));
  EXPECT_EQ(registry.sizes_offered, (std::vector<std::uint32_t>{1024, 1024}));
  EXPECT_TRUE(registry.buffer_was_zero);
}

TEST_F(GetKeyValueTest, OtherTypesLeaveKeyValAsItCame) {
  EXPECT_EQ(Read({2, "%SystemRoot%\\x.exe\0"s}, "kept"), std::make_pair(true, "kept"s));
  EXPECT_EQ(Read({3, "\x01\x02"s}, ""), std::make_pair(true, ""s));
}

TEST_F(GetKeyValueTest, MissingKeyOrValueGivesFalseAndEmptyTextAndStillCloses) {
  std::string key_val = "old";
  EXPECT_FALSE(GetKeyValue(kHkeyLocalMachine, "Missing", "V", key_val));
  EXPECT_EQ(key_val, "");
  registry.keys["K"];
  key_val = "old";
  EXPECT_FALSE(GetKeyValue(kHkeyLocalMachine, "K", "Missing", key_val));
  EXPECT_EQ(key_val, "");
  EXPECT_EQ(registry.calls, (std::vector<std::string>{"open Missing 0", "close 0", "open K 0",
                                                      "query Missing", "close 4660"}));
}

TEST_F(GetKeyValueTest, OpensTheRootAsGivenWithReadAccessOnly) {
  Read({kRegSz, "x"s});
  EXPECT_EQ(registry.masks, std::vector<std::uint32_t>{0x20019});
  EXPECT_EQ(registry.roots, std::vector<std::intptr_t>{static_cast<std::int32_t>(0x80000002u)});
}

TEST_F(GetKeyValueTest, ZeroLengthValueRaisesInvalidCallToTheCaller) {
  registry.keys["K"]["V"] = {kRegSz, ""};
  std::string key_val = "old";
  try {
    GetKeyValue(kHkeyLocalMachine, "K", "V", key_val);
    FAIL() << "no failure raised";
  } catch (const RuntimeFailure& failure) {
    EXPECT_EQ(failure.number, 5);
    EXPECT_EQ(failure.description, "Invalid procedure call or argument");
  }
  EXPECT_EQ(registry.calls.back(), "close 4660") << "the key is closed on the way out";
}

}  // namespace
}  // namespace vornacle

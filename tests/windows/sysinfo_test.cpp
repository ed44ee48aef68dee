// "System Info" and its registry reader against the real registry of the test's wine prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "about/Form2.h"
#include "about/registry.h"
#include "runtime/failure.h"
#include "runtime/msgbox.h"
#include "support/files.h"
#include "support/ui.h"

namespace vornacle::testing {
namespace {

using std::string_literals::operator""s;

constexpr char kTestKey[] = "SOFTWARE\\VornacleTest";
constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

// Keys of HKEY_LOCAL_MACHINE that exist only while the object does.
class Keys {
 public:
  Keys() { Clean(); }
  ~Keys() { Clean(); }
  void Set(const char* key, const char* value, DWORD type, const std::string& bytes) {
    HKEY handle;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
        0);
    ASSERT_EQ(RegSetValueExA(handle, value, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              0);
    RegCloseKey(handle);
  }

 private:
  static void Clean() {
    for (const char* key : {kTestKey, kMsinfoKey, kLocationKey}) RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
  }
};

class RealRegistry : public ::testing::Test {
 protected:
  std::pair<bool, std::string> Read(DWORD type, const std::string& bytes, std::string key_val = "") {
    keys.Set(kTestKey, "V", type, bytes);
    const bool result = GetKeyValue(kHkeyLocalMachine, kTestKey, "V", key_val);
    return {result, key_val};
  }
  Keys keys;
};

TEST_F(RealRegistry, ValueShapesReadThroughThePlatform) {
  EXPECT_EQ(Read(REG_DWORD, "\x0A\x00\x01\x00"s, "1"), std::make_pair(true, "&h110A"s));
  EXPECT_EQ(Read(REG_SZ, "C:\\tool.exe\0"s), std::make_pair(true, "C:\\tool.exe"s));
  EXPECT_EQ(Read(REG_SZ, "C:\\tool.exe\0\0"s), std::make_pair(true, "C:\\tool.exe\0"s));
  EXPECT_EQ(Read(REG_EXPAND_SZ, "%windir%\0"s, "kept"), std::make_pair(true, "kept"s));
  EXPECT_EQ(Read(REG_SZ, std::string(1023, 'x') + '\0'), std::make_pair(true, std::string(1023, 'x')));
  EXPECT_EQ(Read(REG_BINARY, std::string(1024, 'y')), std::make_pair(true, ""s));
  EXPECT_EQ(Read(REG_SZ, std::string(1025, 'x'), "old"), std::make_pair(false, ""s));
}

TEST_F(RealRegistry, MissingKeyOrValueGivesFalse) {
  std::string key_val = "old";
  EXPECT_FALSE(GetKeyValue(kHkeyLocalMachine, kTestKey, "V", key_val));
  EXPECT_EQ(key_val, "");
  keys.Set(kTestKey, "Other", REG_SZ, "x"s);
  key_val = "old";
  EXPECT_FALSE(GetKeyValue(kHkeyLocalMachine, kTestKey, "V", key_val));
  EXPECT_EQ(key_val, "");
}

TEST_F(RealRegistry, ZeroLengthValueRaisesInvalidCall) {
  keys.Set(kTestKey, "V", REG_SZ, "");
  std::string key_val;
  try {
    GetKeyValue(kHkeyLocalMachine, kTestKey, "V", key_val);
    FAIL() << "no failure raised";
  } catch (const RuntimeFailure& failure) {
    EXPECT_EQ(failure.number, 5);
  }
}

// The tool stand-in, copied to where a test wants it; it writes "<its path>.log" when started.
class SysInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string here = self;
    recorder = here.substr(0, here.rfind('\\') + 1) + RECORD_RUN;
    tool = folder.path() + "\\MSINFO32.EXE";
    ASSERT_TRUE(CopyFileA(recorder.c_str(), tool.c_str(), FALSE));
    DeleteFileA((recorder + ".log").c_str());
  }
  // The command lines the stand-in at `path` recorded, once `count` have arrived or time is up.
  static std::string Runs(const std::string& path, int count = 1) {
    std::string log;
    PumpUntil([&] {
      log = ReadBytes(path + ".log");
      return std::count(log.begin(), log.end(), '\n') >= count;
    });
    return log;
  }
  std::vector<ShownBox> Start() {
    MsgBoxCapture boxes;
    Form2::Shared().StartSysInfo();
    return boxes.shown();
  }

  Keys keys;
  ScratchFolder folder;
  std::string recorder, tool;
  const std::vector<ShownBox> unavailable{{kUnavailable, 0, "Vornacle"}};
};

TEST_F(SysInfo, ButtonStartsThePathValueAsItStandsOnce) {
  keys.Set(kMsinfoKey, "PATH", REG_SZ, recorder + '\0');
  keys.Set(kLocationKey, "MSINFO", REG_SZ, folder.path() + '\0');
  Form2& about = Form2::Shared();
  about.Show();
  MsgBoxCapture boxes;
  SendMessageA(about.Control(Form2::kCmdSysInfo), BM_CLICK, 0, 0);
  EXPECT_EQ(Runs(recorder), '"' + recorder + "\"\n");
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_FALSE(Exists(tool + ".log")) << "the folder value is not tried";
  EXPECT_TRUE(about.IsLoaded());
  about.Unload();
}

TEST_F(SysInfo, WithoutPathTheToolInTheSharedToolsFolderIsStarted) {
  keys.Set(kLocationKey, "MSINFO", REG_SZ, folder.path() + '\0');
  EXPECT_TRUE(Start().empty());
  EXPECT_EQ(Runs(tool), '"' + tool + "\"\n");
}

TEST_F(SysInfo, AFolderWithoutTheToolIsUnavailable) {
  DeleteFileA(tool.c_str());
  keys.Set(kLocationKey, "MSINFO", REG_SZ, folder.path() + '\0');
  EXPECT_EQ(Start(), unavailable);
}

TEST_F(SysInfo, AHiddenToolOrAFolderInItsPlaceDoesNotCount) {
  keys.Set(kLocationKey, "MSINFO", REG_SZ, folder.path() + '\0');
  SetFileAttributesA(tool.c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Start(), unavailable);
  SetFileAttributesA(tool.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(tool.c_str());
  CreateDirectoryA(tool.c_str(), nullptr);
  EXPECT_EQ(Start(), unavailable);
}

TEST_F(SysInfo, NeitherValueIsUnavailable) { EXPECT_EQ(Start(), unavailable); }

TEST_F(SysInfo, APathNamingNoFileIsUnavailableWithoutTryingTheFolder) {
  keys.Set(kMsinfoKey, "PATH", REG_SZ, folder.path() + "\\missing.exe\0"s);
  keys.Set(kLocationKey, "MSINFO", REG_SZ, folder.path() + '\0');
  EXPECT_EQ(Start(), unavailable);
  Pump();
  EXPECT_FALSE(Exists(tool + ".log"));
}

TEST_F(SysInfo, APathOfAnotherTypeLeavesTheCommandEmptyAndIsUnavailable) {
  keys.Set(kMsinfoKey, "PATH", REG_EXPAND_SZ, recorder + '\0');
  keys.Set(kLocationKey, "MSINFO", REG_SZ, folder.path() + '\0');
  EXPECT_EQ(Start(), unavailable);
  Pump();
  EXPECT_FALSE(Exists(tool + ".log"));
  EXPECT_FALSE(Exists(recorder + ".log"));
}

TEST_F(SysInfo, TheUnavailableMessageIsAPlainBoxTitledVornacle) {
  Form2& about = Form2::Shared();
  about.Show();
  BoxWatcher watcher;
  SendMessageA(about.Control(Form2::kCmdSysInfo), BM_CLICK, 0, 0);
  const auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, kUnavailable);
  EXPECT_EQ(seen[0].title, "Vornacle");
  EXPECT_EQ(seen[0].icon, "");
  about.Unload();
}

}  // namespace
}  // namespace vornacle::testing

// The About window's portable procedures: GetKeyValue over a stand-in registry, and the two link
// procedures over a stand-in shell.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "about/Module2.h"
#include "fakes/platform.h"
#include "runtime/failure.h"

namespace vornacle::testing {
namespace {

using std::string_literals::operator""s;

struct KeyRow {
  std::optional<RegistryValue> value;  // none: the key holds no "V"
  std::string key_val, outcome;        // KeyVal on entry; "true|false <KeyVal on return>" or "failure <n>"
  bool key_exists = true;
  std::uint32_t view = 0;
};

const KeyRow kKeyRows[] = {
    {RegistryValue{kRegDword, "\x0A\x00\x01\x00"s}, "", "true &h10A"},       // last byte first
    {RegistryValue{kRegDword, "\xFF\x05\x00\x10"s}, "7", "true &h71005FF"},  // after the text it held
    {RegistryValue{kRegSz, "C:\\tool.exe\0"s}, "old", "true C:\\tool.exe"},
    {RegistryValue{kRegSz, "C:\\tool.exe"s}, "", "true C:\\tool.exe"},
    {RegistryValue{kRegSz, "a\0b\0\0"s}, "", "true a\0b\0"s},
    {RegistryValue{kRegSz, std::string(1024, 'x')}, "", "true " + std::string(1024, 'x')},
    {RegistryValue{kRegSz, std::string(1025, 'x')}, "old", "false "},
    {RegistryValue{2, "%windir%\0"s}, "kept", "true kept"},
    {std::nullopt, "old", "false "},
    {std::nullopt, "old", "false ", false},
    {RegistryValue{kRegSz, ""}, "old", "failure 5"},
    {RegistryValue{kRegSz, "x"s}, "", "true x", true, kKeyWow64_64Key},
};

TEST(GetKeyValue, EveryValueShapeAndFailureAndTheKeyIsAlwaysClosed) {
  for (const KeyRow& row : kKeyRows) {
    SCOPED_TRACE(row.outcome);
    Transcript log;
    FakeRegistry registry{log, row.key_exists, row.value};
    std::string key_val = row.key_val;
    try {
      log.text +=
          (GetKeyValue(kHkeyLocalMachine, "K", "V", key_val, row.view) ? "true " : "false ") + key_val;
    } catch (const RuntimeFailure& failure) {
      log.text += "failure " + std::to_string(failure.number);
    }
    const std::string open =
        row.view ? "open(ffffffff80000002,K,0,20119) " : "open(ffffffff80000002,K,0,20019) ";
    EXPECT_EQ(log.text, open + (row.key_exists ? "query(V,1024) close(1234) " : "close(0) ") + row.outcome);
  }
}

const char kWeb[] =
    "|0|Error! You may not have a default web browser.  Manually go to http://www.vornacle.test) ";
const char kMail[] =
    "|0|Error! You may not have a default mail program.  Send mail manually to support@vornacle.test) ";
const std::string kHome = "shell(0,null,http://www.vornacle.test,null,C:\\,1) ",
                  kMailTo = "shell(0,null,mailto:support@vornacle.test?subject=Vornacle,null,C:\\,1) ",
                  kHomeDesktop = "desktop(http://www.vornacle.test,C:\\,1) ",
                  kMailDesktop = "desktop(mailto:support@vornacle.test?subject=Vornacle,C:\\,1) ",
                  kNotRegistered = "box(Error # -2147221164: Class not registered";

// Elevated with a split token, a link goes to the desktop's shell and nowhere else; otherwise the
// program makes the request itself, ignoring the answer.
TEST(Links, EachHandsItsAddressToTheShellAsTheTokenAsksOrReportsWhyWithTheFailureInTheTitle) {
  using namespace Module2;
  struct Row {
    void (*open)();
    int elevation;
    char shell;  // the shell asked 'a'nswers "file not found", or throws 'f'ailure, 'm'emory, 'o'ther
    std::string transcript;
  } rows[] = {
      {OpenHomePage, kElevationLimited, 'a', kHome},
      {OpenMailMessage, kElevationDefault, 'a', kMailTo},  // UAC off, the built-in Administrator
      {OpenMailMessage, kElevationLimited, 'f', kMailTo + kNotRegistered + kMail},
      {OpenHomePage, kElevationDefault, 'm', kHome + "box(Error # 7: Out of memory" + kWeb},
      {OpenHomePage, kElevationLimited, 'o', kHome + "box(Error # 51: Internal error: x" + kWeb},
      {OpenHomePage, kElevationFull, 'a', kHomeDesktop},
      {OpenMailMessage, kElevationFull, 'a', kMailDesktop},
      {OpenHomePage, kElevationFull, 'f', kHomeDesktop + kNotRegistered + kWeb},
      {OpenMailMessage, kElevationFull, 'f', kMailDesktop + kNotRegistered + kMail},
  };
  for (const Row& row : rows) {
    Transcript log;
    const auto answer = [&](const std::string& call) -> void* {
      log.Add(call);
      if (row.shell == 'f') throw RuntimeFailure{-2147221164, "Class not registered"};
      if (row.shell == 'm') throw std::bad_alloc();
      return row.shell == 'o' ? throw std::runtime_error("x") : reinterpret_cast<void*>(2);
    };
    auto elevation = ElevationType.Replace([&] { return row.elevation; });
    auto desktop = OpenFromDesktop.Replace([&](const char* file, const char* directory, int show) {
      answer("desktop(" + std::string(file) + "," + directory + "," + std::to_string(show) + ")");
    });
    auto shell = shell32::ShellExecuteA.Replace(
        [&](void* owner, auto* verb, auto* file, auto* parameters, auto* directory, int show) -> void* {
          return answer("shell(" + std::to_string(std::size_t(owner)) + "," + (verb ?: "null") + "," + file +
                        "," + (parameters ?: "null") + "," + directory + "," + std::to_string(show) + ")");
        });
    row.open();
    EXPECT_EQ(log.text, row.transcript);
  }
}

}  // namespace
}  // namespace vornacle::testing

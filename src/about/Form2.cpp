// The About window's layout table, picture and Click handlers.
#include "about/Form2.h"

#include <algorithm>
#include <array>
#include <utility>

#include "about/Module2.h"
#include "about/registry.h"
#include "resources/resource.h"
#include "runtime/contrast.h"
#include "runtime/msgbox.h"
#include "runtime/system_library.h"

namespace vornacle {

namespace {

using forms::ControlKind;

constexpr std::array kControls{
    forms::ControlSpec{Form2::kLabel1, ControlKind::Link, kHomePage, 2160, 2880, 2175, 255, 0, 0, kHomePage},
    forms::ControlSpec{Form2::kLabel2, ControlKind::Link, kMailAddress, 2160, 3240, 2295, 255, 0, 0,
                       kMailTarget},
    forms::ControlSpec{Form2::kCommand1, ControlKind::Button, "&OK", 4680, 3600, 1095, 375},
    forms::ControlSpec{Form2::kCmdSysInfo, ControlKind::Button, "&System Info", 4680, 4080, 1095, 375},
};

constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kSharedToolsKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kToolFile[] = "\\MSINFO32.EXE";

// An existing file, not a folder, with none of the excluded attributes.
bool IsFile(const std::string& path, DWORD excluded = 0) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | excluded)) == 0;
}

bool IsWow64() {
  BOOL wow64 = FALSE;
  return newer::IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// While it lives, a 32-bit program on 64-bit Windows sees this thread's System32 as it is, not its
// own 32-bit stand-in, so that a path that the 64-bit registry gives means what it says.
class UnredirectedSystemFolder {
 public:
  explicit UnredirectedSystemFolder(bool wanted)
      : off_(wanted && Wow64DisableWow64FsRedirection(&previous_)) {}
  ~UnredirectedSystemFolder() {
    if (off_) Wow64RevertWow64FsRedirection(previous_);
  }
  UnredirectedSystemFolder(const UnredirectedSystemFolder&) = delete;
  UnredirectedSystemFolder& operator=(const UnredirectedSystemFolder&) = delete;

 private:
  void* previous_ = nullptr;
  bool off_;
};

// The program that a registered text names, and its arguments: the quoted part of a text that
// begins with a quote, or else the longest part up to a space or the end that names an existing
// file exactly as written. No extension is added and no folder searched, so that a missing
// "C:\Program Files\Tool\tool.exe" never starts "C:\Program.exe", as an unquoted command line would.
std::pair<std::string, std::string> SplitCommand(const std::string& text) {
  if (text.starts_with('"')) {
    const std::size_t end = std::min(text.find('"', 1), text.size());
    return {text.substr(1, end - 1), text.substr(std::min(end + 1, text.size()))};
  }
  for (std::size_t end = text.size(); end != std::string::npos && end > 0; end = text.rfind(' ', end - 1)) {
    if (IsFile(text.substr(0, end))) return {text.substr(0, end), text.substr(end)};
  }
  return {};
}

// Starts the program as a new process, shown normally; nothing waits for it.
void StartProgram(const std::string& text) {
  const auto [program, arguments] = SplitCommand(text);
  if (!IsFile(program)) throw RuntimeFailure{kErrFileNotFound, "File not found"};
  std::string command_line = '"' + program + '"' + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw RuntimeFailure{kErrFileNotFound, "File not found"};
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

constexpr forms::LabelLook kLinkLook{"MS Sans Serif", 975, FW_NORMAL, RGB(255, 255, 255)};

constexpr forms::FormSpec kForm{
    "About Vornacle",   5985,      4485,      forms::StartPosition::Default, false, IDI_VORNACLE,
    IDI_VORNACLE_LARGE, kControls, &kLinkLook};

}  // namespace

Form2& Form2::Shared() {
  static Form2 form;
  return form;
}

Form2::~Form2() { Unload(); }

void Form2::Show() {
  if (!IsLoaded()) {
    Load(kForm);
    // Decoded in the apartment that the window thread holds while windows are loaded, and let go
    // with this window.
    picture_ = Picture::FromResource(IDR_ABOUT_PICTURE);
  }
  ShowWindowNow();
  SetFocus(Control(kCommand1));
}

void Form2::Click(int id) {
  switch (id) {
    case kCommand1:
      return Command1_Click();
    case kLabel1:
      return Label1_Click();
    case kLabel2:
      return Label2_Click();
    case kCmdSysInfo:
      return cmdsysinfo_Click();
  }
}

// Unscaled at 96 DPI, where the picture's last column and row fall outside the client area; at other
// scales and with a larger text it grows with the window, so that it covers the client area just the
// same.
SIZE Form2::DrawnPictureSize() const {
  const SIZE size = picture_.PixelSize();
  return SIZE{MulDiv(size.cx, static_cast<int>(layout_dpi()), kBaseDpi),
              MulDiv(size.cy, static_cast<int>(layout_dpi()), kBaseDpi)};
}

// In high contrast, the picture stays (it carries the title and the small print), and whatever it
// leaves uncovered takes the user's window colour.
void Form2::PaintBackground(HDC dc) {
  const SIZE size = DrawnPictureSize();
  picture_.Draw(dc, 0, 0, size.cx, size.cy);
  RECT client;
  if (!HighContrastOn() || !GetClientRect(hwnd(), &client)) return;
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, 0, 0, size.cx, size.cy);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  RestoreDC(dc, saved);
}

// Not where the system gave the window more room than the picture has, as it may on a move between
// monitors of different scales.
bool Form2::BackgroundCoversClientArea() const {
  const SIZE size = DrawnPictureSize();
  RECT client;
  return GetClientRect(hwnd(), &client) && size.cx >= client.right && size.cy >= client.bottom;
}

HCURSOR Form2::LabelCursor(int id) const {
  static const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
  return id == kLabel1 || id == kLabel2 ? hand : nullptr;
}

void Form2::Command1_Click() { Unload(); }

void Form2::Label1_Click() { Module2::OpenHomePage(); }

void Form2::Label2_Click() {
  try {
    Module2::OpenMailMessage();
  } catch (...) {
    const RuntimeFailure failure = CurrentFailure();
    MsgBox(std::string(kMailLinkFailed) + kMailAddress, kMsgOkOnly,
           Module2::FailureTitle(failure.number, failure.description));
  }
}

void Form2::cmdsysinfo_Click() { StartSysInfo(); }

void Form2::StartSysInfo() {
  try {
    // A 32-bit program on 64-bit Windows is shown the 32-bit registry; the tool is registered in
    // the 64-bit one, which is read where the program's own finds nothing.
    const bool wow64 = IsWow64();
    bool from_64bit_view = false;
    std::string path;
    const auto read = [&](const char* key, const char* value) {
      if (GetKeyValue(kHkeyLocalMachine, key, value, path)) return true;
      from_64bit_view = wow64 && vornacle::GetKeyValue(kHkeyLocalMachine, key, value, path, kKeyWow64_64Key);
      return from_64bit_view;
    };
    bool found = read(kMsinfoKey, "PATH");
    const bool folder_found = !found && read(kSharedToolsKey, "MSINFO");
    const UnredirectedSystemFolder system_folder(from_64bit_view);
    if (folder_found && IsFile(path + kToolFile, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
      path += kToolFile;
      found = true;
    }
    if (found) return StartProgram(path);
  } catch (...) {
    // Every failure on the way ends in the one message below.
  }
  MsgBox("System Information Is Unavailable At This Time");
}

bool Form2::GetKeyValue(std::int32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                        std::string& KeyVal) {
  return vornacle::GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

}  // namespace vornacle

// The built program started as a process of its own and driven from this one, for what only a
// second process shows: the real message boxes, the exit code, two copies at once, what the program
// loads from its own folder, what a screen reader in another process hears; and what Windows reads
// from the program file before it starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <initguid.h>  // IID_IAccessible in this file, not an import

#include <oleacc.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "support/support.h"

namespace vornacle::testing {
namespace {

// What a message box of another process shows, as "title|prompt|icon" ("title|prompt|" without an
// icon), or "" while it has no prompt yet; found by class and style, not by wine's own ids.
std::string Shown(HWND box) {
  std::string prompt, icon;
  for (HWND c = nullptr; box != nullptr && (c = FindWindowExA(box, c, "Static", nullptr)) != nullptr;)
    if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
      prompt += Text(c);
    else if (SendMessageA(c, STM_GETICON, 0, 0))
      icon = "icon";
  return prompt.empty() ? "" : Text(box) + "|" + prompt + "|" + icon;
}

struct Copy {
  // Each copy runs in a job that ends it with this process, however the test ends: passed, failed or
  // stopped from outside. Wine only: a copy starts the explorer of the tests' own desktop, which leaves
  // the job; ended with it, it would leave the shell's window list to a process that is gone
  // (0x800706BA) for every later link.
  explicit Copy(std::string name, std::string exe = VORNACLE_EXE) : name(std::move(name)) {
    static const HANDLE job = [] {
      JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
      limits.BasicLimitInformation.LimitFlags =
          JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
      HANDLE job = CreateJobObjectA(nullptr, nullptr);
      return SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits), job;
    }();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    exe = '"' + exe + '"';
    // Started when shown with both boxes, in front and waiting for the user. Wine only: now and then
    // (once in some hundred starts here, under load) a process ends in wine's start-up, before the
    // program runs, without a word; a second start tells that from a program that does not start.
    const auto start = [&] {
      return CreateProcessA(nullptr, exe.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                            &startup, &process) &&
             AssignProcessToJobObject(job, process.hProcess) && ResumeThread(process.hThread) == 1 &&
             WaitForInputIdle(process.hProcess, 40000) == 0 && WaitFor([&] { return Box(1) != nullptr; });
    };
    if (!start() && !start())
      throw std::runtime_error(this->name + " did not start, last error " + std::to_string(GetLastError()));
  }
  // The visible window of the class with this caption, or with any caption.
  HWND Window(const char* window_class = "VornacleForm", const char* caption = "Vornacle") const {
    for (HWND window : TopWindows(process.dwProcessId, window_class))
      if (caption == nullptr || Text(window) == caption) return window;
    return nullptr;
  }
  HWND Button(HWND window, const char* text) const { return FindWindowExA(window, nullptr, "Button", text); }
  HWND Box(int index) const {  // the address box (0) or the name box (1)
    HWND first = FindWindowExA(Window(), nullptr, "Edit", nullptr);
    return index == 0 ? first : FindWindowExA(Window(), first, "Edit", nullptr);
  }
  void Add(const std::string& address, const std::string& name) const {
    SendMessageA(Box(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
    SendMessageA(Box(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(Button(Window(), "A&dd to hosts"), BM_CLICK, 0, 0);
  }
  // The message box that the step opened, answered with OK.
  std::string NextBox(const std::string& step) const {
    Await(name + ", " + step + ": a message box", [&] { return !Shown(Window("#32770", nullptr)).empty(); });
    HWND box = Window("#32770", nullptr);
    const std::string seen = Shown(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Await(name + ", " + step + ": the box closed", [&] { return !IsWindow(box); });
    return seen;
  }
  std::string ExitCode() const {
    DWORD code = STILL_ACTIVE;
    WaitForSingleObject(process.hProcess, 40000), GetExitCodeProcess(process.hProcess, &code);
    return std::to_string(code);
  }
  std::string name;
  PROCESS_INFORMATION process{};
};

struct Restore {  // a file's bytes as they were, on every path
  std::string path, bytes = ReadBytes(path);
  ~Restore() { WriteBytes(path, bytes); }
};

// A value of the registry set for the scope, and back as it was on every path.
struct Replaced {
  HKEY key = nullptr;
  const char* name;
  BYTE data[1024] = {};
  DWORD type = 0, size = sizeof data;
  LONG had;
  Replaced(HKEY root, const char* path, const char* value, const std::string& with) : name(value) {
    RegCreateKeyA(root, path, &key);
    had = RegQueryValueExA(key, name, nullptr, &type, data, &size);
    if ((had != ERROR_SUCCESS && had != ERROR_FILE_NOT_FOUND) ||
        RegSetKeyValueA(key, nullptr, name, REG_SZ, with.c_str(), DWORD(with.size() + 1)) != ERROR_SUCCESS)
      throw std::runtime_error(path + std::string(" keeps its ") + name);
  }
  ~Replaced() {
    had == ERROR_SUCCESS ? RegSetValueExA(key, name, 0, type, data, size) : RegDeleteValueA(key, name);
    RegCloseKey(key);
  }
};

TEST(TwoCopies, AppendingAtTheSameTimeLeaveEveryLineWholeAndEndWithTheExitCodeOfTheQuit) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const Restore hosts{windows + std::string("\\System32\\drivers\\etc\\hosts")};
  WriteBytes(hosts.path, "127.0.0.1 localhost\r\n");
  Copy first("first"), second("second");
  // Each copy's first box is slow (dialog, common controls, fonts): opened and closed before the race.
  first.Add("", ""), second.Add("", "");
  first.NextBox("empty boxes"), second.NextBox("empty boxes");
  for (int i = 0; i < 100; ++i) {
    for (const Copy* copy : {&first, &second})
      copy->Add("10.0.0." + std::to_string(i), copy->name + ".example");
    for (const Copy* copy : {&first, &second})
      ASSERT_EQ(copy->NextBox("append " + std::to_string(i)),
                "Vornacle|The IP address has been added to your hosts file!|icon");
  }
  std::istringstream lines(ReadBytes(hosts.path));
  std::string line, seen;
  std::getline(lines, line);
  EXPECT_EQ(line, "127.0.0.1 localhost\r");
  while (std::getline(lines, line))
    seen += line.ends_with("  first.example\r")    ? "1"
            : line.ends_with("  second.example\r") ? "2"
                                                   : "[" + line + "]";
  std::ranges::sort(seen);
  EXPECT_EQ(seen, std::string(100, '1') + std::string(100, '2'));
  PostMessageA(first.Window(), WM_CLOSE, 0, 0);
  PostThreadMessageA(second.process.dwThreadId, WM_QUIT, 3, 0);
  EXPECT_EQ(first.ExitCode() + "," + second.ExitCode(), "0,3");
}

// A person at the keyboard and the mouse: another program in front, a message box of either window
// while the other is open, About closed with Esc. The focus is "window caption:control id".
TEST(APerson, FindsTheFocusWhereItWasAndEveryWindowWaitingForAMessageBox) {
  // A registered tool whose file is missing: System Info says that it is unavailable, in a box of About's.
  const Replaced tool{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                      "C:\\missing\\msinfo32.exe"};
  Copy copy("the program"), other("another program");
  HWND main = copy.Window();
  const auto about = [&] { return copy.Window("VornacleForm", "About Vornacle"); };
  const auto seen = [&] {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(copy.process.dwThreadId, &thread);
    HWND box = copy.Window("#32770", nullptr), focus = thread.hwndFocus;
    const std::string about_state = !about() ? "" : IsWindowEnabled(about()) ? " +about" : " +about disabled";
    return (box ? "box " + Shown(box)
                : Text(GetAncestor(focus, GA_ROOT)) + ":" + std::to_string(GetDlgCtrlID(focus))) +
           (IsWindowEnabled(main) ? "" : " main disabled") + about_state;
  };
  const auto front = [&](HWND window) {
    SetForegroundWindow(window);
    Await("the foreground for " + Text(window), [&] { return GetForegroundWindow() == window; });
  };
  const std::string kEnterFirst = "box Vornacle|You must enter the information first!| main disabled";
  struct Step {
    std::function<void()> act;
    std::string expected;
  } steps[] = {
      {[&] { front(main), PressKey(VK_TAB); }, "Vornacle:1003"},
      {[&] { front(other.Window()); }, ":0"},
      // The other program ends once this one is in front again: it would take the foreground when
      // About closes.
      {[&] { front(main), PostMessageA(other.Window(), WM_CLOSE, 0, 0); }, "Vornacle:1003"},
      {[&] { ShowWindow(main, SW_MINIMIZE), ShowWindow(main, SW_RESTORE); }, "Vornacle:1003"},
      {[&] { PressKey('D', VK_MENU); }, kEnterFirst},   // Alt+D: both boxes are empty
      {[&] { PressKey(VK_RETURN); }, "Vornacle:1009"},  // the access key's button had the focus
      // Wine only: in the tests' own wine desktop, X's late pointer events can move the pointer between
      // a press and its release; About opens by its access key, and the one click left is to be lost.
      {[&] { PressKey('A', VK_MENU); }, "About Vornacle:2 +about"},
      {[&] { SetWindowPos(about(), nullptr, 0, 0, 0, 0, SWP_NOSIZE), front(main); }, "Vornacle:1008 +about"},
      {[&] { PressKey('D', VK_MENU); }, kEnterFirst + " +about disabled"},
      // The click on OK comes before the Enter that closes the box, and is lost on a disabled window.
      {[&] { MouseClick(copy.Button(about(), "&OK")), PressKey(VK_RETURN); }, "Vornacle:1009 +about"},
      {[&] { front(about()), PressKey(VK_TAB); }, "About Vornacle:2004 +about"},
      {[&] { PressKey(VK_RETURN); },
       "box Vornacle|System Information Is Unavailable At This Time| main disabled +about disabled"},
      {[&] { PressKey(VK_RETURN); }, "About Vornacle:2004 +about"},
      // Shown again while open, About gives the focus back to OK.
      {[&] { front(main), PressKey('A', VK_MENU); }, "About Vornacle:2 +about"},
      {[&] { PressKey(VK_ESCAPE); }, "Vornacle:1008"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE("step " + std::to_string(&step - steps + 1));
    step.act();
    WaitFor([&] { return seen() == step.expected; });
    ASSERT_EQ(seen(), step.expected);
  }
}

VARIANT Child(LONG id) {
  VARIANT child{};
  child.vt = VT_I4, child.lVal = id;
  return child;
}
std::string Said(BSTR said) {  // and let go
  const std::wstring_view wide(said ? said : L"", said ? SysStringLen(said) : 0);
  return SysFreeString(said), std::string(wide.begin(), wide.end());
}
std::string Code(HRESULT result) {
  char code[16];
  return snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result)), code;
}

// What a screen reader hears of an element: its role, name, value, state, default action and place
// in the window's client area.
std::string Heard(IAccessible* object, LONG id, HWND window) {
  VARIANT child = Child(id), role{}, state{};
  const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*)) {
    BSTR said = nullptr;
    return (object->*ask)(child, &said), Said(said);
  };
  object->get_accRole(child, &role);
  LONG left = 0, top = 0, width = 0, height = 0;
  POINT origin{0, 0};
  object->get_accState(child, &state), object->accLocation(&left, &top, &width, &height, child);
  ClientToScreen(window, &origin);
  return std::to_string(role.lVal) + " " + text(&IAccessible::get_accName) + "=" +
         text(&IAccessible::get_accValue) + (state.lVal & STATE_SYSTEM_LINKED ? " linked " : " ") +
         text(&IAccessible::get_accDefaultAction) + " at " + std::to_string(left - origin.x) + "," +
         std::to_string(top - origin.y) + " " + std::to_string(width) + "x" + std::to_string(height) + "; ";
}

// Where a question to About's object led: an element of its own by id and name, a control's own
// object by its window's caption, "none", or the failure's code.
std::string Reached(IAccessible* about, HRESULT result, const VARIANT& end) {
  BSTR name = nullptr;
  IAccessible* control = nullptr;
  HWND window = nullptr;
  if (end.vt == VT_I4) return about->get_accName(end, &name), std::to_string(end.lVal) + " " + Said(name);
  if (end.vt == VT_DISPATCH && end.pdispVal->QueryInterface(IID_IAccessible, (void**)&control) == S_OK)
    WindowFromAccessibleObject(control, &window), control->Release();
  if (end.vt == VT_DISPATCH) end.pdispVal->Release();
  return window ? Text(window) : result == S_FALSE ? "none" : Code(result);
}

// A screen reader in another process hears each box by its label, finds About's two links after its
// buttons, walks to them and back, finds each at its place, and follows each as a click does: one
// request to the shell. What it holds of About is refused once About is closed, even when About is
// open again in a new window.
TEST(AScreenReader, HearsTheBoxesByTheirLabelsAndFollowsAboutsLinks) {
  const std::string recorder = ::testing::TempDir() + "vornacle-browser.exe", log = recorder + ".log";
  ASSERT_TRUE(CopyFileA(RECORD_RUN, recorder.c_str(), FALSE) &&
              (DeleteFileA(log.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND));
  // The shell opens web and mail addresses with the recorder, which logs each request.
  const std::string command = '"' + recorder + "\" \"%1\"";
  const Replaced web{HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", command},
      mail{HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "", command};
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  Copy copy("the program");
  SendMessageA(copy.Box(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("q"));
  const auto about = [&] { return copy.Window("VornacleForm", "About Vornacle"); };
  PostMessageA(copy.Button(copy.Window(), "&About"), BM_CLICK, 0, 0);
  Await("About", [&] { return about() != nullptr; });
  std::string heard;
  IAccessible* object = nullptr;  // the last, About's, is then walked and held
  for (HWND window : {copy.Box(0), copy.Box(1), about()}) {
    if (object != nullptr) object->Release();
    ASSERT_EQ(
        AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)),
        S_OK);
    VARIANT children[8]{};  // a box has none, and is heard itself
    LONG count = 0, counted = -1;
    object->get_accChildCount(&counted), AccessibleChildren(object, 0, 8, children, &count);
    heard += std::to_string(counted) + ": ";
    for (LONG i = 0; i < std::max(count, 1L); ++i) {
      // A control's own object is the system's: it is enough that it is there.
      heard += children[i].vt == VT_DISPATCH ? "object; " : Heard(object, children[i].lVal, window);
      if (children[i].vt == VT_DISPATCH) children[i].pdispVal->Release();
    }
  }
  EXPECT_EQ(heard,
            "0: 42 IP Address:=q  at 0,0 189x15; 0: 42 Hostname:=  at 0,0 189x15; 4: object; object; "
            "30 http://www.vornacle.test=http://www.vornacle.test linked Jump at 144,192 145x17; "
            "30 support@vornacle.test=mailto:support@vornacle.test?subject=Vornacle linked Jump at 144,216 "
            "153x17; ");
  // From the first child to the last and back. The step from OK to System Info is the system's own,
  // which wine's object does not take (E_NOTIMPL): the walk goes on from System Info.
  std::string walked;
  const LONG walk[][2] = {
      {CHILDID_SELF, NAVDIR_FIRSTCHILD}, {2, NAVDIR_NEXT},     {3, NAVDIR_NEXT},    {4, NAVDIR_NEXT},
      {CHILDID_SELF, NAVDIR_LASTCHILD},  {4, NAVDIR_PREVIOUS}, {3, NAVDIR_PREVIOUS}};
  for (auto [from, direction] : walk) {
    VARIANT end{};
    walked += Reached(object, object->accNavigate(direction, Child(from), &end), end) + "; ";
  }
  EXPECT_EQ(walked,
            "&OK; 3 http://www.vornacle.test; 4 support@vornacle.test; none; 4 support@vornacle.test; "
            "3 http://www.vornacle.test; &System Info; ");
  // Each link is found at its centre, has no description, help or shortcut, and is followed.
  std::string found;
  for (LONG link : {3L, 4L}) {
    LONG left = 0, top = 0, width = 0, height = 0;
    VARIANT hit{};
    object->accLocation(&left, &top, &width, &height, Child(link));
    found += Reached(object, object->accHitTest(left + width / 2, top + height / 2, &hit), hit) + ":";
    for (auto ask : {&IAccessible::get_accDescription, &IAccessible::get_accHelp,
                     &IAccessible::get_accKeyboardShortcut}) {
      BSTR text = nullptr;
      const HRESULT result = (object->*ask)(Child(link), &text);
      found += result == S_FALSE && text == nullptr ? " none" : " " + Code(result) + Said(text);
    }
    found += "; ";
    EXPECT_EQ(object->accDoDefaultAction(Child(link)), S_OK);
    Await("the request " + std::to_string(link - 2),
          [&] { return std::ranges::count(ReadBytes(log), '\n') == link - 2; });
  }
  EXPECT_EQ(found, "3 http://www.vornacle.test: none none none; 4 support@vornacle.test: none none none; ");
  // Held on past About's window, and past a new one, whose own object answers.
  HWND closed = about();
  PostMessageA(copy.Button(closed, "&OK"), BM_CLICK, 0, 0);
  Await("About closed", [&] { return !IsWindow(closed); });
  std::string refused;
  for (const char* round : {"closed:", " open again:"}) {
    LONG count = 0, left = 0, top = 0, width = 0, height = 0;
    VARIANT end{};
    BSTR text = nullptr;
    IEnumVARIANT* list = nullptr;
    object->QueryInterface(IID_IEnumVARIANT, (void**)&list), refused += round;
    for (HRESULT answer :
         {object->get_accChildCount(&count), object->get_accName(Child(3), &text),
          object->get_accValue(Child(4), &text), object->accLocation(&left, &top, &width, &height, Child(3)),
          object->accHitTest(left, top, &end), object->accNavigate(NAVDIR_FIRSTCHILD, Child(0), &end),
          object->accDoDefaultAction(Child(3)), object->get_accFocus(&end),
          list ? list->Next(1, &end, nullptr) : E_NOINTERFACE})
      refused += answer == CO_E_OBJNOTCONNECTED ? " refused" : " " + Code(answer);
    if (list != nullptr) list->Release();
    PostMessageA(copy.Button(copy.Window(), "&About"), BM_CLICK, 0, 0);
    Await("About again", [&] { return about() != nullptr; });
  }
  object->Release();
  LONG counted = 0;
  ASSERT_EQ(AccessibleObjectFromWindow(about(), OBJID_CLIENT, IID_IAccessible, (void**)&object), S_OK);
  refused += " new: " + Code(object->get_accChildCount(&counted)) + " ";
  EXPECT_EQ(
      refused + std::to_string(counted),
      "closed: refused refused refused refused refused refused refused refused refused open again: refused "
      "refused refused refused refused refused refused refused refused new: 00000000 4");
  object->Release(), CoUninitialize();
  // The desktop's shell made each request (under wine every program is elevated with a split token),
  // with the address as it stands.
  EXPECT_EQ(std::regex_replace(ReadBytes(log), std::regex(" by explorer\\.exe [0-9]+"), ""),
            '"' + recorder + "\" \"http://www.vornacle.test\"\n\"" + recorder +
                "\" \"mailto:support@vornacle.test?subject=Vornacle\"\n");
}

// Both lookups answer from the suite's own entry in the hosts file, through the real wsock32, and
// nothing for text that only looks like it, while a wsock32.dll of the suite's own lies beside the
// program, with wine told to prefer a library from the program's folder as Windows does: that library
// never runs.
TEST(Lookups, AnswerBothWaysWhileALibraryPlantedBesideTheProgramIsNeverLoaded) {
  // Wine reads /etc/hosts, which the suite's namespace makes tests/names/hosts; Windows its own file.
  ASSERT_NE(ReadBytes("Z:\\etc\\hosts").find("\n192.0.2.7\talpha.vornacle.test "), std::string::npos);
  const std::string folder = ::testing::TempDir() + "vornacle-planted";
  std::filesystem::create_directories(folder), std::filesystem::remove(folder + "\\wsock32.dll.loaded");
  ASSERT_TRUE(CopyFileA(VORNACLE_EXE, (folder + "\\vornacle.exe").c_str(), FALSE) &&
              CopyFileA(PLANTED_DLL, (folder + "\\wsock32.dll").c_str(), FALSE));
  const Replaced load{HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\vornacle.exe\\DllOverrides", "wsock32",
                      "native,builtin"};
  Copy copy("the copy beside the library", folder + "\\vornacle.exe");
  SendMessageA(copy.Box(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("alpha"));
  PostMessageA(copy.Button(copy.Window(), "Get &IP Address"), BM_CLICK, 0, 0);
  Await("the address of alpha", [&] { return Text(copy.Box(0)) == "192.0.2.7"; });
  PostMessageA(copy.Button(copy.Window(), "Get &Hostname"), BM_CLICK, 0, 0);  // the name of that address
  Await("the name of 192.0.2.7", [&] { return Text(copy.Box(1)) == "alpha.vornacle.test"; });
  // Full-width letters and digits only look like the entry's: no name or address to ask the platform for.
  SendMessageW(copy.Box(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\uFF41\uFF4C\uFF50\uFF48\uFF41"));
  PostMessageA(copy.Button(copy.Window(), "Get &IP Address"), BM_CLICK, 0, 0);
  Await("no address for a look-alike name", [&] { return Text(copy.Box(0)).empty(); });
  SendMessageW(copy.Box(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\uFF11\uFF19\uFF12.0.2.7"));
  PostMessageA(copy.Button(copy.Window(), "Get &Hostname"), BM_CLICK, 0, 0);
  EXPECT_EQ(copy.NextBox("a look-alike address"), "Vornacle|Invalid IP address|");
  Await("no name for a look-alike address", [&] { return Text(copy.Box(1)).empty(); });
  EXPECT_FALSE(std::filesystem::exists(folder + "\\wsock32.dll.loaded"));
}

// Wine starts the program whatever these say; Windows would ask for elevation, draw it blurred, give
// it a Windows folder of its own under Remote Desktop, or not start it at all.
TEST(ProgramFile, CarriesWhatWindowsReadsBeforeItStartsTheProgram) {
  const std::string bytes = ReadBytes(VORNACLE_EXE);  // the manifest is plain text among them
  std::string seen;
  for (auto [what, pattern] : {std::pair{"asInvoker", R"(level="asInvoker")"},
                               {"per-monitor", R"(<dpiAwareness [^>]*>PerMonitorV2[,<])"},
                               {"controls-6", R"(Common-Controls" version="6\.0\.0\.0")"},
                               {"version", R"(name="Vornacle" version="\d+\.\d+\.\d+\.\d+")"}})
    if (std::regex_search(bytes, std::regex(pattern))) seen += what + std::string(" ");
  std::string record(GetFileVersionInfoSizeA(VORNACLE_EXE, nullptr), '\0');
  GetFileVersionInfoA(VORNACLE_EXE, 0, DWORD(record.size()), record.data());
  for (std::string key : {"FileDescription", "FileVersion", "ProductVersion"}) {
    char* text = nullptr;
    UINT length = 0;
    VerQueryValueA(record.data(), ("\\StringFileInfo\\040904B0\\" + key).c_str(),
                   reinterpret_cast<void**>(&text), &length);
    seen += (text != nullptr ? std::string(text) : "no " + key) + " ";
  }
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      bytes.data() + reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data())->e_lfanew);
  const WORD marks = IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT |
                     IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE;
  seen += (headers->OptionalHeader.DllCharacteristics & marks) == marks ? "TS-aware+NX+ASLR" : "unmarked";
  EXPECT_EQ(seen, "asInvoker per-monitor controls-6 version Main Executable 1.00 1.00 TS-aware+NX+ASLR");
}

}  // namespace
}  // namespace vornacle::testing

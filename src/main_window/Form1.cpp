// The main window's layout table and its Click handlers.
#include "main_window/Form1.h"

#include <array>

#include "about/Form2.h"
#include "forms/program.h"
#include "main_window/hosts_entry.h"
#include "main_window/hosts_file_win32.h"
#include "resolve/clsResolve.h"
#include "resources/resource.h"
#include "runtime/msgbox.h"
#include "runtime/sendkeys.h"
#include "runtime/system_failure.h"

namespace vornacle {

namespace {

using forms::ControlKind;

constexpr std::array kControls{
    forms::ControlSpec{Form1::kLabel1, ControlKind::Label, "IP Address:", 120, 120, 2295, 375},
    forms::ControlSpec{Form1::kText1, ControlKind::TextBox, "", 960, 120, 2895, 285, 0, Form1::kLabel1},
    forms::ControlSpec{Form1::kText2, ControlKind::TextBox, "", 960, 1080, 2895, 285, 0, Form1::kLabel2},
    forms::ControlSpec{Form1::kCommand1, ControlKind::Button, "Get &IP Address", 960, 480, 1335, 495,
                       IDI_GLYPH_IP},
    forms::ControlSpec{Form1::kCommand2, ControlKind::Button, "Get &Hostname", 2520, 480, 1335, 495,
                       IDI_GLYPH_HOSTNAME},
    forms::ControlSpec{Form1::kLabel2, ControlKind::Label, "Hostname:", 120, 1080, 1575, 255},
    forms::ControlSpec{Form1::kCommand3, ControlKind::Button, "E&xit", 2760, 1560, 1095, 375},
    forms::ControlSpec{Form1::kCommand4, ControlKind::Button, "&About", 360, 1560, 1095, 375},
    forms::ControlSpec{Form1::kCommand5, ControlKind::Button, "A&dd to hosts", 1560, 1560, 1095, 375},
};

constexpr forms::FormSpec kForm{
    "Vornacle",         4035,     2115, forms::StartPosition::CentreScreen, true, IDI_VORNACLE,
    IDI_VORNACLE_LARGE, kControls};

constexpr char kEnterFirst[] = "You must enter the information first!";
constexpr char kNotAnAddress[] = "Invalid IP address";
constexpr char kLookupFailed[] = "Error! Make sure you are connected to the net and are entering valid info!";

}  // namespace

Form1::~Form1() { Unload(); }

void Form1::Load() {
  if (IsLoaded()) return;
  // The menu "file" is hidden, so it is never attached as a menu bar; its item's shortcut stays.
  menu_.reset(CreateMenu());
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kMenuTy, "tyt\tCtrl+C");
  AppendMenuA(menu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), "file");
  ACCEL copy{FCONTROL | FVIRTKEY, 'C', kMenuTy};
  accelerators_.reset(CreateAcceleratorTableA(&copy, 1));
  forms::Form::Load(kForm);
}

// The focus starts in the first control of the tab order, Text1.
void Form1::Show() {
  Load();
  ShowWindowNow();
}

void Form1::Click(int id) {
  switch (id) {
    case kCommand1:
      return Command1_Click();
    case kCommand2:
      return Command2_Click();
    case kCommand3:
      return Command3_Click();
    case kCommand4:
      return Command4_Click();
    case kCommand5:
      return Command5_Click();
    case kMenuTy:
      return ty_Click();
  }
}

// A name that the narrow code page cannot hold exactly is no name the platform can look up: it
// finds nothing, rather than the look-alike that a lossy conversion would ask for.
void Form1::Command1_Click() {
  try {
    const std::optional<std::string> name = NarrowText(kText2);
    clsResolve resolver;
    const std::string address = name ? resolver.GetIPFromHostName(*name) : std::string();
    SetText(kText1, address);
  } catch (...) {
    MsgBox(kLookupFailed);
  }
}

// Likewise an address with characters outside the code page, full-width digits among them, is no
// address, as the platform says of any text it cannot read as one.
void Form1::Command2_Click() {
  try {
    const std::optional<std::string> address = NarrowText(kText1);
    clsResolve resolver;
    std::string name;
    if (address) {
      name = resolver.GetHostNameFromIP(*address);
    } else {
      MsgBox(kNotAnAddress);
    }
    SetText(kText2, name);
  } catch (...) {
    MsgBox(kLookupFailed);
  }
}

void Form1::Command3_Click() {
  Unload();
  forms::EndProgram();
}

void Form1::Command4_Click() { Form2::Shared().Show(); }

void Form1::Command5_Click() {
  if (GetWindowTextLengthW(Control(kText1)) == 0) return MsgBox(kEnterFirst);
  if (GetWindowTextLengthW(Control(kText2)) == 0) return MsgBox(kEnterFirst);
  try {
    // The file receives the text as typed or nothing: never a "?" or a look-alike in its place.
    const std::optional<std::string> address = NarrowText(kText1), name = NarrowText(kText2);
    if (!address || !name) throw SystemFailure(ERROR_NO_UNICODE_TRANSLATION);
    AppendHostsEntry(GetWinPath() + kHostsFileBelowWindows, *address, *name);
    MsgBox("The IP address has been added to your hosts file!", kMsgInformation);
  } catch (...) {
    const RuntimeFailure failure = CurrentFailure();
    MsgBox("Error! Error # " + std::to_string(failure.number) + ":  " + failure.description);
  }
}

void Form1::ty_Click() { SendKeys("^C"); }

std::string Form1::GetWinPath() { return WindowsDirectory(); }

}  // namespace vornacle

// The About window's layout table, picture and Click handlers.
#include "about/Form2.h"

#include <array>

#include "about/Module2.h"
#include "resources/resource.h"
#include "runtime/msgbox.h"

namespace vornacle {

namespace {

using forms::ControlKind;

constexpr std::array kControls{
    forms::ControlSpec{Form2::kLabel1, ControlKind::Label, kHomePage, 2160, 2880, 2175, 255},
    forms::ControlSpec{Form2::kLabel2, ControlKind::Label, kMailAddress, 2160, 3240, 2295, 255},
    forms::ControlSpec{Form2::kCommand1, ControlKind::Button, "&OK", 4680, 3600, 1095, 375},
    forms::ControlSpec{Form2::kCmdSysInfo, ControlKind::Button, "&System Info", 4680, 4080, 1095, 375},
};

constexpr forms::LabelLook kLinkLook{"MS Sans Serif", 975, FW_NORMAL, RGB(255, 255, 255)};

constexpr forms::FormSpec kForm{"About Vornacle", 5985, 4485, forms::StartPosition::Default, false,
                                IDI_VORNACLE, kControls, &kLinkLook};

}  // namespace

Form2& Form2::Shared() {
  static Form2 form;
  return form;
}

void Form2::Show() {
  if (!IsLoaded()) {
    picture_ = Picture::FromResource(IDR_ABOUT_PICTURE);
    Load(kForm);
  }
  ShowWindowNow();
  SetFocus(Control(kCommand1));
}

void Form2::Click(int id) {
  switch (id) {
    case kCommand1: return Command1_Click();
    case kLabel1: return Label1_Click();
    case kLabel2: return Label2_Click();
    case kCmdSysInfo: return cmdsysinfo_Click();
  }
}

void Form2::PaintBackground(HDC dc) {
  // Unscaled at 96 DPI, so the picture's last column and row fall outside the client area.
  const SIZE size = picture_.PixelSize();
  picture_.Draw(dc, 0, 0, MulDiv(size.cx, static_cast<int>(dpi()), forms::kBaseDpi),
                MulDiv(size.cy, static_cast<int>(dpi()), forms::kBaseDpi));
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

void Form2::cmdsysinfo_Click() {}

}  // namespace vornacle

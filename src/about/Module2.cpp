#include "about/Module2.h"

#include <string>

#include "runtime/failure.h"
#include "runtime/msgbox.h"

namespace vornacle::Module2 {

namespace {

constexpr char kRequestDirectory[] = "C:\\";
constexpr int kShowNormal = 1;

void OpenLink(const char* file, const std::string& failure_prompt) {
  try {
    if (ElevationType() == kElevationFull)
      OpenFromDesktop(file, kRequestDirectory, kShowNormal);
    else
      shell32::ShellExecuteA(nullptr, nullptr, file, nullptr, kRequestDirectory, kShowNormal);
  } catch (...) {
    const RuntimeFailure failure = CurrentFailure();
    MsgBox(failure_prompt, kMsgOkOnly, FailureTitle(failure.number, failure.description));
  }
}

}  // namespace

std::string FailureTitle(long number, const std::string& description) {
  return "Error # " + std::to_string(number) + ": " + description;
}

void OpenHomePage() { OpenLink(kHomePage, std::string(kWebLinkFailed) + kHomePage); }

void OpenMailMessage() { OpenLink(kMailTarget, std::string(kMailLinkFailed) + kMailAddress); }

}  // namespace vornacle::Module2

// Routes message boxes to the innermost capture, or to the presenter when none is active.
#include "runtime/msgbox.h"

namespace vornacle {

namespace {
MsgBoxCapture* active_capture = nullptr;
BoxPresenter presenter = ShowPlatformMessageBox;
}  // namespace

void PresentBoxesWith(BoxPresenter box_presenter) { presenter = box_presenter; }

MsgBoxCapture::MsgBoxCapture() : previous_(active_capture) { active_capture = this; }

MsgBoxCapture::~MsgBoxCapture() { active_capture = previous_; }

void MsgBox(const std::string& prompt, int flags, const std::optional<std::string>& title) {
  ShownBox box{prompt, flags, title.value_or(kAppTitle)};
  if (active_capture == nullptr) {
    presenter(box.prompt, box.flags, box.title);
    return;
  }
  MsgBoxCapture& capture = *active_capture;
  capture.shown_.push_back(box);
  if (capture.on_show) capture.on_show(box);
}

}  // namespace vornacle

// Message boxes among the forms: a box belongs to the window it speaks for, and holds every form as a
// modal box of the platform's forms holds them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vornacle::forms {

// While a modal box is up: no loaded form but the box's owner takes a click or a key (the box
// disables its owner itself), and each keeps the control that had its focus.
class [[nodiscard]] ModalScope {
 public:
  explicit ModalScope(HWND owner);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  std::vector<HWND> disabled_;
};

// The window that a message box shown now belongs to: the form whose handler is running, or else the
// first form loaded (the main window); null when no form is loaded.
HWND MessageBoxOwner();

// The platform's modal box, owned by that window and in front of it, whichever program is in front
// at the moment; every window of the program waits for it.
void ShowOwnedMessageBox(const std::string& prompt, int flags, const std::string& title);

}  // namespace vornacle::forms

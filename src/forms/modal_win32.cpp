// A box is never owned by a window that another box holds, and the focus of each form is kept
// before any of them is disabled.
#include "forms/modal.h"

#include "forms/form.h"
#include "forms/program.h"

namespace vornacle::forms {

ModalScope::ModalScope(HWND owner) {
  disabled_.reserve(LoadedForms().size());
  for (Form* form : LoadedForms()) {
    // Before the window is disabled, by this scope or by the box: a disabled window loses the
    // focus of its controls.
    form->RememberFocus();
    if (form->hwnd() != owner && IsWindowEnabled(form->hwnd())) {
      EnableWindow(form->hwnd(), FALSE);
      disabled_.push_back(form->hwnd());
    }
  }
}

ModalScope::~ModalScope() {
  for (HWND hwnd : disabled_) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
}

HWND MessageBoxOwner() {
  const Form* handling = HandlingForm();
  const std::vector<Form*>& loaded = LoadedForms();
  HWND owner = handling != nullptr && handling->IsLoaded() ? handling->hwnd()
               : loaded.empty()                            ? nullptr
                                                           : loaded.front()->hwnd();
  // A window that a box already holds hands the new box to that one: a box whose owner is disabled
  // gives the activation away when it closes. The system keeps the last active popup for the root
  // owner only, and answers an owned window (About) with that window itself; GetAncestor's root
  // owner follows GetParent, which names no owner for an overlapped window, so the chain is walked.
  if (owner == nullptr || IsWindowEnabled(owner)) return owner;
  HWND root = owner;
  while (HWND next = GetWindow(root, GW_OWNER)) root = next;
  HWND holder = GetLastActivePopup(root);
  return holder != nullptr && IsWindowEnabled(holder) ? holder : owner;
}

void ShowOwnedMessageBox(const std::string& prompt, int flags, const std::string& title) {
  HWND owner = MessageBoxOwner();
  const ModalScope modal(owner);
  MessageBoxA(owner, prompt.c_str(), title.c_str(), static_cast<UINT>(flags) | MB_OK | MB_TASKMODAL);
}

}  // namespace vornacle::forms

// One loop for every form: each form's keyboard handling first, then the window's own procedure.
#include "forms/program.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "forms/form.h"
#include "forms/modal.h"
#include "runtime/apartment.h"
#include "runtime/msgbox.h"

namespace vornacle::forms {

namespace {

struct ProgramState {
  std::vector<Form*> loaded;
  Form* handling = nullptr;  // the form whose Click handler is running
  std::optional<Apartment> apartment;
  bool ended = false;
};
// At namespace scope, made before any form: the forms that are function-local statics (About) are
// destroyed at exit before it, and still take themselves out of its list then.
ProgramState program;

void DispatchOne(MSG& msg) {
  // By index, without a copy: only a form that takes the message may unload while handling it, and
  // the search ends there.
  for (std::size_t i = 0; i < program.loaded.size(); ++i) {
    if (program.loaded[i]->PreTranslate(msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

void PrepareForWindows() {
  if (program.apartment) return;
  program.apartment.emplace();
  PresentBoxesWith(ShowOwnedMessageBox);
}

bool FormCreated(Form* form) noexcept {
  try {
    program.loaded.push_back(form);
    return true;
  } catch (...) {
    return false;
  }
}

void FormDestroyed(Form* form) {
  std::erase(program.loaded, form);
  if (program.loaded.empty()) {
    program.ended = true;
    program.apartment.reset();
    PostQuitMessage(0);
  }
}

void FormForgotten(Form* form) { std::erase(program.loaded, form); }

const std::vector<Form*>& LoadedForms() { return program.loaded; }

Form* HandlingForm() { return program.handling; }

void SetHandlingForm(Form* form) { program.handling = form; }

int RunMessageLoop() {
  MSG msg{};
  // Once the program has ended, what is still queued is let go unhandled until the quit arrives.
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!program.ended) DispatchOne(msg);
  }
  return static_cast<int>(msg.wParam);
}

void DoEvents() {
  MSG msg;
  while (!program.ended && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    DispatchOne(msg);
  }
}

void EndProgram() {
  program.ended = true;
  PostQuitMessage(0);
}

bool ProgramEnded() { return program.ended; }

void ResetProgram() {
  program.ended = false;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace vornacle::forms

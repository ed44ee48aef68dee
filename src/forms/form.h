// The windows of the program: a form is created from a table of controls laid out in twips, its
// labels are painted by the form itself, and every click reaches one virtual handler.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "forms/form_table.h"
#include "forms/painted_labels.h"
#include "forms/scaled_resources.h"
#include "runtime/accessible.h"
#include "runtime/failure.h"

namespace vornacle::forms {

class Form {
 public:
  Form() = default;
  // A derived form unloads in its own destructor, while it is whole for the window's last messages;
  // this one only lets go of a window that is still there.
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsLoaded() const { return hwnd_ != nullptr; }
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
  // A box's text in the system's narrow code page, exactly as typed, or none where a character has
  // no exact counterpart there.
  std::optional<std::string> NarrowText(int id) const;
  // Shows a narrow text from the platform in a box.
  void SetText(int id, const std::string& narrow);

  // Destroys the window; the object stays and can load it again.
  void Unload();

  // Messages for this form's keyboard handling, for the message loop.
  bool PreTranslate(MSG& msg);
  // The control that has the focus now is the one that gets it back when the frame is focused again.
  void RememberFocus();

 protected:
  void Load(const FormSpec& spec);
  void ShowWindowNow();

  // Runs the Click handler of a control or menu item. Failures that leave it are reported once.
  virtual void Click(int id) = 0;
  virtual HACCEL Accelerators() const { return nullptr; }
  // For forms that draw beneath their labels, and whether that covers the whole client area, or
  // that set a cursor of their own.
  virtual void PaintBackground(HDC) {}
  virtual bool BackgroundCoversClientArea() const { return false; }
  virtual HCURSOR LabelCursor(int /*id*/) const { return nullptr; }
  // For forms that hold what only a loaded window needs, to let it go with the window.
  virtual void Unloaded() {}

  UINT dpi() const { return scaled_.dpi(); }
  // The display's scale, grown with the system's text where the captions need it: what the twips
  // are laid out at.
  UINT layout_dpi() const { return scaled_.layout_dpi(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  // The fonts, glyphs and icons of a scale and of the system's settings now, and the window laid
  // out with them: at start, at a scale change (in the rectangle the system suggests) and at a
  // change of the system's settings.
  void ApplyScale(UINT dpi, const RECT* suggested = nullptr) { scaled_.Apply(hwnd_, spec_, dpi, suggested); }
  LRESULT OnDestroyed(WPARAM wparam, LPARAM lparam);
  void RunClick(int id) noexcept;
  void RestoreFocus();

  HWND hwnd_ = nullptr;
  HWND focus_ = nullptr;  // the control that had the focus when the window was last left
  FormSpec spec_{};
  ScaledResources scaled_;
  PaintedLabels labels_{spec_, scaled_};
  AccessibleLinks readers_;  // what screen readers were given for this window; gone before the labels
};

// The one report of a failure that leaves a Click handler without an error guard.
void ReportUnhandledFailure(const RuntimeFailure& failure);

}  // namespace vornacle::forms

// The windows of the program: a form is created from a table of controls laid out in twips, its
// labels are painted by the form itself, and every click reaches one virtual handler.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/failure.h"
#include "runtime/handles.h"

namespace vornacle::forms {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr UINT kBaseDpi = 96;

int TwipsToPixels(int twips, UINT dpi);

// Labels and links are painted by the form; a link is a label that the user follows, and screen
// readers list it as one.
enum class ControlKind { Label, Link, TextBox, Button };

struct ControlSpec {
  int id;
  ControlKind kind;
  const char* caption;
  int left, top, width, height;  // twips, from the top-left corner of the client area
  int glyph = 0;                 // icon resource drawn above a button's caption, or 0
  int named_by = 0;              // the label whose caption names a text box for screen readers, or 0
};

enum class StartPosition { CentreScreen, Default };

// How a form's labels look when they do not use the window's default font and colours.
struct LabelLook {
  const char* face;
  int hundredths_of_a_point;
  int weight;
  COLORREF colour;
};

struct FormSpec {
  const char* caption;
  int client_width, client_height;  // twips
  StartPosition position;
  bool in_taskbar;
  int icon;        // icon group resource with the 16-pixel image
  int large_icon;  // icon group resource with the same icon's larger frames
  std::span<const ControlSpec> controls;
  const LabelLook* label_look = nullptr;
};

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

 protected:
  // A form outside the taskbar is owned by a hidden window of the program's own, so that it
  // neither gets a taskbar button nor follows another form when that one closes or minimises.
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

  UINT dpi() const { return dpi_; }

 private:
  // The caption of the control with this id, or null.
  const char* Caption(int id) const;
  // The label or link under a client point, or 0.
  int LabelAt(POINT client_point) const;
  bool IsLink(int id) const;
  RECT ControlRect(const ControlSpec& control) const;
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  // The one layout of the window and its controls at a DPI, with the fonts, glyphs and icons of the
  // moment: at start, at a scale change (in the rectangle the system suggests) and at a change of
  // the system's settings.
  void Layout(UINT dpi, const RECT* suggested = nullptr);
  void PaintLabels(HDC dc);
  LRESULT AnswerScreenReader(WPARAM wparam, LPARAM lparam);
  void RunClick(int id) noexcept;
  // The control that has the focus now is the one that gets it back when the frame is focused again.
  void RememberFocus();
  void RestoreFocus();
  friend class ModalScope;

  HWND hwnd_ = nullptr;
  HWND focus_ = nullptr;  // the control that had the focus when the window was last left
  FormSpec spec_{};
  UINT dpi_ = kBaseDpi;
  UniqueFont font_;
  UniqueFont label_font_;
  UniqueIcon icon_small_, icon_big_;
  std::vector<UniqueImageList> glyphs_;
  int pressed_label_ = 0;
};

// While a modal box is up, as a modal box of the platform's forms holds them: no loaded form but
// the box's owner takes a click or a key (the box disables its owner itself), and each keeps the
// control that had its focus.
class [[nodiscard]] ModalScope {
 public:
  explicit ModalScope(HWND owner);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  std::vector<HWND> disabled_;
};

// The one report of a failure that leaves a Click handler without an error guard.
void ReportUnhandledFailure(const RuntimeFailure& failure);

// The window that a message box shown now belongs to: the form whose handler is running, or else the
// first form loaded (the main window); null when no form is loaded.
HWND BoxOwner();

// Waits for and handles events until the program ends; returns the exit code that the quit carries.
int RunMessageLoop();
// Handles what is waiting in the queue and returns, for tests that drive forms in-process.
void DoEvents();
// Ends the program at once: the message loop stops without handling anything more.
void EndProgram();
bool ProgramEnded();
// For tests: a new program run in the same process.
void ResetProgram();

// Keystrokes the program sends itself carry this tag, so that they never trigger a shortcut again.
inline constexpr ULONG_PTR kOwnKeystrokeTag = 0x564F524E;  // "VORN"

}  // namespace vornacle::forms

// The tables a form is made from: its controls laid out in twips, where it opens, and how its labels
// look.
#pragma once

#include <windows.h>

#include <span>

namespace vornacle::forms {

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
  const char* target = nullptr;  // where a link goes, as the shell receives it
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

inline bool IsPainted(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Link; }

// The caption of the control with this id, or null.
inline const char* Caption(const FormSpec& spec, int id) {
  for (const ControlSpec& control : spec.controls) {
    if (id != 0 && control.id == id) return control.caption;
  }
  return nullptr;
}

}  // namespace vornacle::forms

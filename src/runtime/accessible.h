// What screen readers are told about the forms beyond what the system tells by itself. The forms'
// labels are painted by the form, not windows: a text box would have no name (the system names a
// box after the static text window before it), and a link would not be there at all.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace vornacle {

// From now on the control's accessible object gives `name` (text of static storage) as its name and
// hands every other question to the system's own object for the control.
void SetAccessibleName(HWND control, const char* name);

// A link that the form paints, as a screen reader meets it.
struct AccessibleLink {
  int id;             // the control id that the form's Click handler takes
  const char* name;   // its caption, of static storage
  const char* value;  // where it goes, as the shell receives it, of static storage
  RECT client;        // where it is drawn now in the form's client area
};

// What a form tells of its window's links. It is asked at each call of a screen reader, which may
// hold an object for as long as it likes, across moves to monitors of other scales.
class LinkSource {
 public:
  // The links in the order a reader meets them, after the system's own children.
  virtual std::vector<AccessibleLink> Links() const = 0;

 protected:
  ~LinkSource() = default;
};

// What the objects made for one window hold of it, as the form does while the window is there; the
// last to let go deletes it.
struct LinkedWindow {
  HWND hwnd;
  const LinkSource* source;  // null once the window is gone
  LONG holders = 1;

  void Hold() { InterlockedIncrement(&holders); }
  void Let() {
    if (InterlockedDecrement(&holders) == 0) delete this;
  }
};

// Posted to the form when a screen reader follows a link, with the link's id as wparam: the form
// then clicks it as a click on the label does, and only then, so that a message box still holds it.
inline constexpr UINT kFollowLink = WM_APP + 0x4C;

// The objects that screen readers are given for one window of a form with links. The form keeps one
// and disconnects it as its window goes: each object then answers CO_E_OBJNOTCONNECTED, even once
// the form has a new window, which may have the same handle.
class AccessibleLinks {
 public:
  AccessibleLinks() = default;
  ~AccessibleLinks() { Disconnect(); }
  AccessibleLinks(const AccessibleLinks&) = delete;
  AccessibleLinks& operator=(const AccessibleLinks&) = delete;

  // The answer to the window's WM_GETOBJECT: for its client area, where the source has links, the
  // system's own object with the links listed after the children it lists itself. 0 for any other
  // object, or where no such object can be made, and the form then answers as the system does.
  LRESULT Answer(HWND window, const LinkSource& source, WPARAM wparam, LPARAM object_id) noexcept;
  void Disconnect() {
    if (window_ != nullptr) window_->source = nullptr, std::exchange(window_, nullptr)->Let();
  }

 private:
  LinkedWindow* window_ = nullptr;
};

}  // namespace vornacle

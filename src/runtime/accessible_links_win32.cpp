// The object for the client area of a form with links: the system's standard object, with the links
// as elements after the children it lists itself. What it tells of the links is asked of the form at
// each call, and once the window is gone it answers nothing.
#include "runtime/accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <utility>

#include "runtime/standard_accessible.h"

namespace vornacle {

namespace {

constexpr char kJump[] = "Jump";  // what following a link is called, as for the system's own

VARIANT I4(LONG value) {
  VARIANT child{};
  child.vt = VT_I4, child.lVal = value;
  return child;
}

// The system's children (its controls' windows) as its list gives them, released with the list.
class OwnChildren {
 public:
  OwnChildren(IAccessible* standard, LONG count) : items_(static_cast<std::size_t>(count)) {
    LONG got = 0;
    if (count == 0 || FAILED(oleacc::AccessibleChildren(standard, 0, count, items_.data(), &got))) got = 0;
    items_.resize(static_cast<std::size_t>(got));
  }
  ~OwnChildren() {
    for (VARIANT& item : items_) {
      if (item.vt == VT_DISPATCH && item.pdispVal != nullptr) item.pdispVal->Release();
    }
  }
  OwnChildren(const OwnChildren&) = delete;
  OwnChildren& operator=(const OwnChildren&) = delete;

  // The entry at a place in the list, handed over as the system gave it; empty where there is none.
  VARIANT Take(LONG place) noexcept {
    VARIANT entry{};
    if (place >= 0 && place < static_cast<LONG>(items_.size())) std::swap(entry, items_[std::size_t(place)]);
    return entry;
  }

 private:
  std::vector<VARIANT> items_;
};

// The children now: as many of the system's as it counts, then the form's links where they are drawn.
struct Children {
  LONG own = 0;
  std::vector<AccessibleLink> links;

  LONG Last() const { return own + static_cast<LONG>(links.size()); }
  // The link that a child id names: the ids after the system's own children.
  const AccessibleLink* Link(const VARIANT& child) const {
    // Compared before any arithmetic: the id comes from another process, and may be any number.
    if (child.vt != VT_I4 || child.lVal <= own || child.lVal > Last()) return nullptr;
    return &links[static_cast<std::size_t>(child.lVal - own - 1)];
  }
};

// A form with links lists its children itself too: a reader in another process asks for the list,
// and the system's objects reach it across processes inside the list, not one by one.
class LinkedClient final : public StandardAccessible, public IEnumVARIANT {
 public:
  LinkedClient(IAccessible* standard, LinkedWindow* window) : StandardAccessible(standard), window_(window) {
    window_->Hold();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr || iid != IID_IEnumVARIANT) return StandardAccessible::QueryInterface(iid, out);
    *out = static_cast<IEnumVARIANT*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return StandardAccessible::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return StandardAccessible::Release(); }
  bool Connected() const override { return window_->source != nullptr; }

  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return Answered([&]() -> HRESULT {
      if (count == nullptr) return E_INVALIDARG;
      *count = Now().Last();
      return S_OK;
    });
  }
  // The system's children by their place in its own list, so that a reader that counts from 1 meets
  // each window once; a link is an element of this object, with no object of its own.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return Answered([&]() -> HRESULT {
      if (out == nullptr) return E_INVALIDARG;
      *out = nullptr;
      const Children now = Now();
      if (now.Link(child) != nullptr) return S_FALSE;
      if (child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= now.own) {
        VARIANT entry = OwnChildren(standard_, now.own).Take(child.lVal - 1);
        if (entry.vt == VT_DISPATCH && entry.pdispVal != nullptr) return *out = entry.pdispVal, S_OK;
      }
      return standard_->get_accChild(child, out);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, &AccessibleLink::name, &IAccessible::get_accName);
  }
  // Where the link goes, as the shell receives it.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Text(child, value, &AccessibleLink::value, &IAccessible::get_accValue);
  }
  // A link has no description, help or shortcut: "none", not "no such child".
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Text(child, text, nullptr, &IAccessible::get_accDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Text(child, help, nullptr, &IAccessible::get_accHelp);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Text(child, shortcut, nullptr, &IAccessible::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Answered([&] {
      return Now().Link(child) != nullptr ? AnswerText(kJump, action)
                                          : standard_->get_accDefaultAction(child, action);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Answered([&]() -> HRESULT {
      if (Now().Link(child) == nullptr) return standard_->get_accRole(child, role);
      if (role == nullptr) return E_INVALIDARG;
      *role = I4(ROLE_SYSTEM_LINK);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Answered([&]() -> HRESULT {
      if (Now().Link(child) == nullptr) return standard_->get_accState(child, state);
      if (state == nullptr) return E_INVALIDARG;
      *state = I4(STATE_SYSTEM_LINKED | (IsWindowEnabled(window_->hwnd) ? 0 : STATE_SYSTEM_UNAVAILABLE));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return Answered([&]() -> HRESULT {
      const Children now = Now();
      const AccessibleLink* link = now.Link(child);
      if (link == nullptr) return standard_->accLocation(left, top, width, height, child);
      if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_INVALIDARG;
      POINT corner{link->client.left, link->client.top};
      ClientToScreen(window_->hwnd, &corner);
      *left = corner.x, *top = corner.y;
      *width = link->client.right - link->client.left, *height = link->client.bottom - link->client.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return Answered([&]() -> HRESULT {
      if (child == nullptr) return E_INVALIDARG;
      const Children now = Now();
      POINT point{left, top};
      ScreenToClient(window_->hwnd, &point);
      for (std::size_t i = 0; i < now.links.size(); ++i) {
        if (PtInRect(&now.links[i].client, point)) return *child = I4(now.own + 1 + LONG(i)), S_OK;
      }
      return standard_->accHitTest(left, top, child);
    });
  }
  // Next and previous go in the list's order: the system's children, then the links. Only a step
  // between two of the system's children is its own to answer; it knows nothing of the links.
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return Answered([&]() -> HRESULT {
      if (end == nullptr) return E_INVALIDARG;
      const Children now = Now();
      const bool self = IsSelf(start), link = now.Link(start) != nullptr;
      const LONG from = start.vt == VT_I4 ? start.lVal : -1;
      LONG to = 0;  // the id reached, or none
      if (self && direction == NAVDIR_FIRSTCHILD) {
        to = std::min<LONG>(1, now.Last());
      } else if (self && direction == NAVDIR_LASTCHILD) {
        to = now.Last();
      } else if (direction == NAVDIR_NEXT && (link || (!self && from == now.own))) {
        to = from < now.Last() ? from + 1 : 0;
      } else if (link) {
        to = direction == NAVDIR_PREVIOUS ? from - 1 : 0;  // a link has no children
      } else {
        return standard_->accNavigate(direction, start, end);
      }
      *end = to > now.own ? I4(to) : OwnChildren(standard_, now.own).Take(to - 1);
      return end->vt == VT_EMPTY ? S_FALSE : S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Answered([&]() -> HRESULT {
      const Children now = Now();
      const AccessibleLink* link = now.Link(child);
      if (link == nullptr) return standard_->accDoDefaultAction(child);
      // Not here, inside the reader's call: the click may show a message box, which must not wait
      // inside it. A window that a message box holds follows no link.
      return IsWindowEnabled(window_->hwnd) &&
                     PostMessageA(window_->hwnd, kFollowLink, static_cast<WPARAM>(link->id), 0)
                 ? S_OK
                 : E_FAIL;
    });
  }

  // The list of children: the system's entries as it gives them, then the links' ids.
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* out, ULONG* fetched) override {
    return Answered([&]() -> HRESULT {
      if (out == nullptr) return E_INVALIDARG;
      const Children now = Now();
      OwnChildren own(standard_, now.own);
      ULONG given = 0;
      for (; given < wanted && next_ < now.Last(); ++given, ++next_)
        out[given] = next_ < now.own ? own.Take(next_) : I4(next_ + 1);
      if (fetched != nullptr) *fetched = given;
      return given == wanted ? S_OK : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    return Answered([&]() -> HRESULT {
      const ULONG left = static_cast<ULONG>(std::max<LONG>(Now().Last() - next_, 0));
      next_ += static_cast<LONG>(std::min(count, left));
      return count <= left ? S_OK : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    return Answered([&] { return next_ = 0, S_OK; });
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (out != nullptr) *out = nullptr;
    return Answered([] { return E_NOTIMPL; });
  }

 private:
  ~LinkedClient() override { window_->Let(); }

  // An answer while the window is there; no exception leaves a COM method.
  template <typename Answer>
  HRESULT Answered(Answer answer) const noexcept {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    try {
      return answer();
    } catch (...) {
      return E_OUTOFMEMORY;  // in asking the form or making a list, before anything was handed out
    }
  }
  Children Now() const {
    Children now{0, window_->source->Links()};
    if (FAILED(standard_->get_accChildCount(&now.own))) now.own = 0;
    return now;
  }
  // A link's text (none where it has no such text), or the system's answer for its own children.
  HRESULT Text(const VARIANT& child, BSTR* out, const char* AccessibleLink::*text,
               HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, BSTR*)) {
    return Answered([&] {
      const Children now = Now();
      const AccessibleLink* link = now.Link(child);
      if (link == nullptr) return (standard_->*system)(child, out);
      return AnswerText(text != nullptr ? link->*text : nullptr, out);
    });
  }

  LinkedWindow* const window_;
  LONG next_ = 0;  // the place of the next child that Next gives
};

}  // namespace

LRESULT AccessibleLinks::Answer(HWND window, const LinkSource& source, WPARAM wparam,
                                LPARAM object_id) noexcept {
  try {
    if (!AsksForClient(object_id) || source.Links().empty()) return 0;
    if (window_ == nullptr) window_ = new LinkedWindow{window, &source};
    return AnswerWithObject<LinkedClient>(window, wparam, window_);
  } catch (...) {
    return 0;
  }
}

}  // namespace vornacle

// Each answer is one object that wraps the system's standard object and overrides only what the
// form knows better: a box's name, a form's links. Value, role, states and focus stay the system's.
// The accessibility library is bound when a screen reader first asks, never at start.
#include <initguid.h>  // defines IID_IAccessible here: with static linking it is no import

#include "runtime/accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "runtime/automation.h"
#include "runtime/declared.h"
#include "runtime/standard_accessible.h"
#include "runtime/text.h"

namespace vornacle {

namespace {

constexpr UINT_PTR kSubclassId = 0x4E414D45;  // "NAME"
constexpr wchar_t kJump[] = L"Jump";          // what following a link is called, as for the system's own

Declared<HRESULT(HWND, LONG, const IID&, void**)> CreateStdAccessibleObject{"oleacc.dll",
                                                                            "CreateStdAccessibleObject"};
Declared<LRESULT(const IID&, WPARAM, IUnknown*)> LresultFromObject{"oleacc.dll", "LresultFromObject"};
Declared<HRESULT(IAccessible*, LONG, LONG, VARIANT*, LONG*)> AccessibleChildren{"oleacc.dll",
                                                                                "AccessibleChildren"};
static_assert(kSameShape<decltype(CreateStdAccessibleObject), decltype(&::CreateStdAccessibleObject)>);
static_assert(kSameShape<decltype(LresultFromObject), decltype(&::LresultFromObject)>);
static_assert(kSameShape<decltype(AccessibleChildren), decltype(&::AccessibleChildren)>);

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Answer(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = automation::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The objects that the system's object lists as its children (its controls' windows), in its order,
// released with the list.
class OwnChildren {
 public:
  OwnChildren(IAccessible* standard, LONG count) : items_(static_cast<std::size_t>(count)) {
    LONG got = 0;
    if (count == 0 || FAILED(AccessibleChildren(standard, 0, count, items_.data(), &got))) got = 0;
    items_.resize(static_cast<std::size_t>(got));
  }
  ~OwnChildren() {
    for (VARIANT& item : items_) {
      if (item.vt == VT_DISPATCH && item.pdispVal != nullptr) item.pdispVal->Release();
    }
  }
  OwnChildren(const OwnChildren&) = delete;
  OwnChildren& operator=(const OwnChildren&) = delete;

  // The object at a place in the list, handed over, or null where there is none.
  IDispatch* Take(LONG place) {
    if (place < 0 || place >= static_cast<LONG>(items_.size()) || items_[place].vt != VT_DISPATCH)
      return nullptr;
    return std::exchange(items_[static_cast<std::size_t>(place)].pdispVal, nullptr);
  }

 private:
  std::vector<VARIANT> items_;
};

// A COM object: it lives as long as its clients hold references, so it deletes itself. Its
// QueryInterface answers only what it is, so that every client reaches the same overrides. A form
// with links lists its children itself too: a reader in another process asks for the list, and the
// system's objects reach it across processes inside the list, not one by one.
class Accessible final : public StandardAccessible, public IEnumVARIANT {
 public:
  Accessible(IAccessible* standard, HWND hwnd, const char* name, std::vector<AccessibleLink> links)
      : StandardAccessible(standard), hwnd_(hwnd), name_(name), links_(std::move(links)) {
    if (FAILED(standard_->get_accChildCount(&own_children_))) own_children_ = 0;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == IID_IEnumVARIANT && !links_.empty()) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    try {
      if (const AccessibleLink* link = Link(child)) return Answer(Widen(link->name), name);
      if (IsSelf(child) && name_ != nullptr) return Answer(Widen(name_), name);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_INVALIDARG;
    *count = own_children_ + static_cast<LONG>(links_.size());
    return S_OK;
  }
  // The system's children by their place in its own list, so that a reader that counts from 1 meets
  // each window once; a link is an element of this object, with no object of its own.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (Link(child) != nullptr) return S_FALSE;
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > own_children_) {
      return standard_->get_accChild(child, out);
    }
    try {
      *out = OwnChildren(standard_, own_children_).Take(child.lVal - 1);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return *out != nullptr ? S_OK : standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (Link(child) == nullptr) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_LINK;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (Link(child) == nullptr) return standard_->get_accState(child, state);
    if (state == nullptr) return E_INVALIDARG;
    state->vt = VT_I4;
    state->lVal = STATE_SYSTEM_LINKED | (IsWindowEnabled(hwnd_) ? 0 : STATE_SYSTEM_UNAVAILABLE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    const AccessibleLink* link = Link(child);
    if (link == nullptr) return standard_->accLocation(left, top, width, height, child);
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_INVALIDARG;
    POINT corner{link->client.left, link->client.top};
    ClientToScreen(hwnd_, &corner);
    *left = corner.x, *top = corner.y;
    *width = link->client.right - link->client.left, *height = link->client.bottom - link->client.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    POINT point{left, top};
    ScreenToClient(hwnd_, &point);
    for (std::size_t i = 0; child != nullptr && i < links_.size(); ++i) {
      if (PtInRect(&links_[i].client, point)) {
        child->vt = VT_I4;
        child->lVal = own_children_ + 1 + static_cast<LONG>(i);
        return S_OK;
      }
    }
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Link(child) != nullptr ? Answer(kJump, action) : standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const AccessibleLink* link = Link(child);
    if (link == nullptr) return standard_->accDoDefaultAction(child);
    // Not here, inside the reader's call: the click may show a message box, which must not wait
    // inside it. A window that a message box holds follows no link.
    return IsWindowEnabled(hwnd_) && PostMessageA(hwnd_, kFollowLink, static_cast<WPARAM>(link->id), 0)
               ? S_OK
               : E_FAIL;
  }

  // The list of children: the system's, then the links' ids.
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* out, ULONG* fetched) override {
    if (out == nullptr) return E_INVALIDARG;
    ULONG given = 0;
    try {
      OwnChildren children(standard_, own_children_);
      for (; given < wanted && next_ < Total(); ++given, ++next_) {
        out[given] = VARIANT{};
        if (IDispatch* object = children.Take(next_)) {
          out[given].vt = VT_DISPATCH, out[given].pdispVal = object;
        } else {
          out[given].vt = VT_I4, out[given].lVal = next_ + 1;
        }
      }
    } catch (...) {
      return E_OUTOFMEMORY;  // only in making the list, before anything was given
    }
    if (fetched != nullptr) *fetched = given;
    return given == wanted ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const ULONG left = static_cast<ULONG>(Total() - next_);
    next_ += static_cast<LONG>(std::min(count, left));
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~Accessible() { standard_->Release(); }

  LONG Total() const { return own_children_ + static_cast<LONG>(links_.size()); }

  // The link that a child id names: the ids after the system's own children.
  const AccessibleLink* Link(const VARIANT& child) const {
    if (child.vt != VT_I4) return nullptr;
    const LONG index = child.lVal - own_children_ - 1;
    return index >= 0 && index < static_cast<LONG>(links_.size()) ? &links_[static_cast<std::size_t>(index)]
                                                                  : nullptr;
  }

  HWND hwnd_;
  const char* name_;
  std::vector<AccessibleLink> links_;
  LONG own_children_ = 0;
  LONG next_ = 0;  // the place of the next child that Next gives
  LONG references_ = 1;
};

// The object for the window's client area, as an answer to WM_GETOBJECT; 0 where it cannot be made.
LRESULT AnswerFor(HWND hwnd, WPARAM wparam, const char* name, std::vector<AccessibleLink> links) {
  try {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&standard)))) {
      return 0;
    }
    auto* answer = new (std::nothrow) Accessible(standard, hwnd, name, std::move(links));
    if (answer == nullptr) {
      standard->Release();
      return 0;
    }
    const LRESULT result = LresultFromObject(IID_IAccessible, wparam, static_cast<IAccessible*>(answer));
    answer->Release();
    return result > 0 ? result : 0;  // an error code is no answer to hand on
  } catch (...) {
    return 0;  // without the accessibility library the window is described by the system alone
  }
}

bool AsksForClient(LPARAM lparam) { return static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT); }

LRESULT CALLBACK AnswerWithName(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR name) {
  if (message == WM_GETOBJECT && AsksForClient(lparam)) {
    if (const LRESULT answer = AnswerFor(hwnd, wparam, reinterpret_cast<const char*>(name), {}))
      return answer;
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, AnswerWithName, kSubclassId);
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace

void SetAccessibleName(HWND control, const char* name) {
  SetWindowSubclass(control, AnswerWithName, kSubclassId, reinterpret_cast<DWORD_PTR>(name));
}

LRESULT AnswerWithLinks(HWND form, WPARAM wparam, LPARAM object_id, std::vector<AccessibleLink> links) {
  return AsksForClient(object_id) && !links.empty() ? AnswerFor(form, wparam, nullptr, std::move(links)) : 0;
}

}  // namespace vornacle

// A text box's object: the system's standard object for it, with the name of its label, which the
// form paints rather than a static window before the box.
#include <initguid.h>  // defines IID_IAccessible here: with static linking it is no import

#include "runtime/accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include "runtime/standard_accessible.h"

namespace vornacle {

namespace oleacc {
Declared<HRESULT(HWND, LONG, const IID&, void**)> CreateStdAccessibleObject{"oleacc.dll",
                                                                            "CreateStdAccessibleObject"};
Declared<LRESULT(const IID&, WPARAM, IUnknown*)> LresultFromObject{"oleacc.dll", "LresultFromObject"};
Declared<HRESULT(IAccessible*, LONG, LONG, VARIANT*, LONG*)> AccessibleChildren{"oleacc.dll",
                                                                                "AccessibleChildren"};
static_assert(kSameShape<decltype(CreateStdAccessibleObject), decltype(&::CreateStdAccessibleObject)>);
static_assert(kSameShape<decltype(LresultFromObject), decltype(&::LresultFromObject)>);
static_assert(kSameShape<decltype(AccessibleChildren), decltype(&::AccessibleChildren)>);
}  // namespace oleacc

namespace {

constexpr UINT_PTR kSubclassId = 0x4E414D45;  // "NAME"

class NamedAccessible final : public StandardAccessible {
 public:
  NamedAccessible(IAccessible* standard, const char* name) : StandardAccessible(standard), name_(name) {}

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return IsSelf(child) ? AnswerText(name_, name) : StandardAccessible::get_accName(child, name);
  }

 private:
  const char* name_;
};

LRESULT CALLBACK AnswerWithName(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                DWORD_PTR name) {
  if (message == WM_GETOBJECT && AsksForClient(lparam)) {
    if (const LRESULT answer =
            AnswerWithObject<NamedAccessible>(hwnd, wparam, reinterpret_cast<const char*>(name))) {
      return answer;
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, AnswerWithName, kSubclassId);
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace

void SetAccessibleName(HWND control, const char* name) {
  SetWindowSubclass(control, AnswerWithName, kSubclassId, reinterpret_cast<DWORD_PTR>(name));
}

}  // namespace vornacle

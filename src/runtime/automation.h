// The automation library's text allocator, declared once for every object that hands texts to COM
// callers; the library is bound at the first text.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include "runtime/declared.h"

namespace vornacle::automation {

inline Declared<BSTR(const OLECHAR*, UINT)> SysAllocStringLen{"oleaut32.dll", "SysAllocStringLen"};
static_assert(kSameShape<decltype(SysAllocStringLen), decltype(&::SysAllocStringLen)>);

}  // namespace vornacle::automation

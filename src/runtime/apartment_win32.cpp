// OLE is bound when the first window is made, not at the program's start.
#include "runtime/apartment.h"

#include <windows.h>

#include <ole2.h>

#include "runtime/declared.h"
#include "runtime/failure.h"

namespace vornacle {

namespace {
Declared<HRESULT(void*)> OleInitialize{"ole32.dll", "OleInitialize"};
Declared<void()> OleUninitialize{"ole32.dll", "OleUninitialize"};
static_assert(kSameShape<decltype(OleInitialize), decltype(&::OleInitialize)>);
static_assert(kSameShape<decltype(OleUninitialize), decltype(&::OleUninitialize)>);
}  // namespace

Apartment::Apartment() {
  try {
    held_ = SUCCEEDED(OleInitialize(nullptr));
  } catch (const RuntimeFailure&) {
    // Without the library there is no apartment to give back.
  }
}

Apartment::~Apartment() {
  if (held_) OleUninitialize();
}

}  // namespace vornacle

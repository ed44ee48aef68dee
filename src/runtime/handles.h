// Move-only owners for the Win32 handles the program holds, so that none is closed twice or leaked.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace vornacle {

template <typename Handle, auto Close>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  ~Unique() { reset(); }
  Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

using UniqueFile = Unique<HANDLE, CloseHandle>;
using UniqueFont = Unique<HFONT, DeleteObject>;
using UniqueIcon = Unique<HICON, DestroyIcon>;
using UniqueMenu = Unique<HMENU, DestroyMenu>;
using UniqueAccel = Unique<HACCEL, DestroyAcceleratorTable>;
using UniqueImageList = Unique<HIMAGELIST, ImageList_Destroy>;

}  // namespace vornacle

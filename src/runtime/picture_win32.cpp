// OLE decodes the picture from a memory stream; pictures measure themselves in HIMETRIC units.
// The OLE libraries are bound when the first picture is loaded, not at start: the main window
// shows no picture, and loading them costs start-up time.
#include "runtime/picture.h"

#include <utility>

#include "runtime/declared.h"
#include "runtime/failure.h"

namespace vornacle {

namespace {

constexpr int kHimetricPerInch = 2540;

Declared<HRESULT(HGLOBAL, BOOL, IStream**)> CreateStreamOnHGlobal{"ole32", "CreateStreamOnHGlobal"};
Declared<HRESULT(IStream*, LONG, BOOL, const IID&, void**)> OleLoadPicture{"oleaut32", "OleLoadPicture"};

}  // namespace

Picture Picture::FromResource(int id) {
  Picture result;
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  const void* bytes = resource != nullptr ? LockResource(LoadResource(module, resource)) : nullptr;
  if (bytes == nullptr) return result;
  const DWORD size = SizeofResource(module, resource);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (copy == nullptr) return result;
  CopyMemory(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  try {
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) stream = nullptr;
    if (stream != nullptr) {
      OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                     reinterpret_cast<void**>(&result.picture_));
    }
  } catch (const RuntimeFailure&) {
    // Without the OLE libraries there is no picture, and the window still opens.
  }
  if (stream != nullptr) {
    stream->Release();  // frees the copy with it
  } else {
    GlobalFree(copy);
  }
  return result;
}

Picture::~Picture() {
  if (picture_ != nullptr) picture_->Release();
}

Picture::Picture(Picture&& other) noexcept : picture_(std::exchange(other.picture_, nullptr)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    if (picture_ != nullptr) picture_->Release();
    picture_ = std::exchange(other.picture_, nullptr);
  }
  return *this;
}

SIZE Picture::PixelSize() const {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (picture_ == nullptr) return SIZE{0, 0};
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  return SIZE{MulDiv(width, 96, kHimetricPerInch), MulDiv(height, 96, kHimetricPerInch)};
}

void Picture::Draw(HDC dc, int x, int y, int width, int height) const {
  if (picture_ == nullptr) return;
  OLE_XSIZE_HIMETRIC source_width = 0;
  OLE_YSIZE_HIMETRIC source_height = 0;
  picture_->get_Width(&source_width);
  picture_->get_Height(&source_height);
  // The source rectangle runs bottom-up in HIMETRIC units.
  picture_->Render(dc, x, y, width, height, 0, source_height, source_width, -source_height, nullptr);
}

}  // namespace vornacle

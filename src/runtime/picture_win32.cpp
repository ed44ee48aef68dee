// OLE decodes the picture from a memory stream into a bitmap, which is drawn with GDI, in the
// apartment that the program's window thread holds for the whole run.
#include "runtime/picture.h"

#include <utility>

#include "runtime/declared.h"
#include "runtime/failure.h"

namespace vornacle {

namespace {

Declared<HRESULT(HGLOBAL, BOOL, IStream**)> CreateStreamOnHGlobal{"ole32.dll", "CreateStreamOnHGlobal"};
Declared<HRESULT(IStream*, LONG, BOOL, const IID&, void**)> OleLoadPicture{"oleaut32.dll", "OleLoadPicture"};
static_assert(kSameShape<decltype(CreateStreamOnHGlobal), decltype(&::CreateStreamOnHGlobal)>);
static_assert(kSameShape<decltype(OleLoadPicture), decltype(&::OleLoadPicture)>);

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

Picture::~Picture() { Release(); }

Picture::Picture(Picture&& other) noexcept : picture_(std::exchange(other.picture_, nullptr)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    Release();
    picture_ = std::exchange(other.picture_, nullptr);
  }
  return *this;
}

void Picture::Release() noexcept {
  if (picture_ != nullptr) std::exchange(picture_, nullptr)->Release();
}

HBITMAP Picture::Bitmap() const {
  OLE_HANDLE handle = 0;
  short type = PICTYPE_NONE;
  if (picture_ == nullptr || FAILED(picture_->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture_->get_Handle(&handle))) {
    return nullptr;
  }
  // GDI handles hold 32 significant bits, sign-extended on 64-bit systems.
  return reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(static_cast<INT>(handle)));
}

SIZE Picture::PixelSize() const {
  BITMAP bitmap{};
  HBITMAP handle = Bitmap();
  if (handle == nullptr || GetObjectA(handle, sizeof bitmap, &bitmap) == 0) return SIZE{0, 0};
  return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

void Picture::Draw(HDC dc, int x, int y, int width, int height) const {
  const SIZE size = PixelSize();
  HDC source = size.cx != 0 ? CreateCompatibleDC(dc) : nullptr;
  if (source == nullptr) return;
  const HGDIOBJ previous = SelectObject(source, Bitmap());
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, x, y, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace vornacle

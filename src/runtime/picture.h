// A picture from the program's resources, decoded by the platform (JPEG through OLE).
#pragma once

#include <windows.h>

#include <ole2.h>
#include <olectl.h>

namespace vornacle {

class Picture {
 public:
  Picture() = default;
  // An RCDATA resource holding the encoded picture; an empty picture when it cannot be decoded.
  static Picture FromResource(int id);
  ~Picture();
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // The size of the decoded bitmap, whatever the screen's DPI.
  SIZE PixelSize() const;
  // Draws the whole picture into the rectangle at (x, y) of the given size, smoothly scaled.
  void Draw(HDC dc, int x, int y, int width, int height) const;

 private:
  void Release() noexcept;
  HBITMAP Bitmap() const;

  IPicture* picture_ = nullptr;
};

}  // namespace vornacle

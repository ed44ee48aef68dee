// The windows at the display scale that the run was given (see in-prefix.sh).
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "runtime/system_library.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

std::string IconSize(HWND window, WPARAM which) {
  ICONINFO info{};
  BITMAP mask{};
  GetIconInfo(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0)), &info);
  GetObject(info.hbmMask, sizeof mask, &mask);
  DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
  return std::to_string(mask.bmWidth);
}

TEST_F(Program, AtEachScaleTheWindowsKeepTheirTwipsAndThePicturesAndIconsFitTheScreen) {
  struct Row {
    int dpi;
    const char *main, *about;
    RECT ok;
    int glyph;
    std::string icons;  // small and big
  } rows[] = {
      {96, "Vornacle 269x141", "About Vornacle 399x299", {312, 240, 385, 265}, 16, "16/32"},
      {120, "Vornacle 336x176", "About Vornacle 499x374", {390, 300, 481, 331}, 20, "20/40"},
      {144, "Vornacle 404x212", "About Vornacle 599x449", {468, 360, 578, 398}, 24, "24/48"},
      {192, "Vornacle 538x282", "About Vornacle 798x598", {624, 480, 770, 530}, 32, "32/64"},
  };
  const char* dpi = std::getenv("VORNACLE_TEST_DPI");  // the scale that in-prefix.sh gave the run, if it did
  const Row* row = std::find_if(rows, rows + 4, [&](const Row& r) { return dpi && r.dpi == std::atoi(dpi); });
  ASSERT_TRUE(row != rows + 4 && row->dpi == int(newer::GetDpiForSystem())) << newer::GetDpiForSystem();
  about.Show();
  EXPECT_TRUE(Describe(main.hwnd()).starts_with(row->main)) << Describe(main.hwnd());
  EXPECT_TRUE(Describe(about.hwnd()).starts_with(row->about)) << Describe(about.hwnd());
  RECT ok;
  GetWindowRect(about.Control(Form2::kCommand1), &ok);
  MapWindowPoints(nullptr, about.hwnd(), reinterpret_cast<POINT*>(&ok), 2);
  EXPECT_TRUE(EqualRect(&ok, &row->ok)) << ok.left << "," << ok.top << "," << ok.right << "," << ok.bottom;
  for (HWND window : {main.hwnd(), about.hwnd()})
    EXPECT_EQ(IconSize(window, ICON_SMALL) + "/" + IconSize(window, ICON_BIG), row->icons);
  // The picture, not the window's background, along the right and bottom edges; the links white on it.
  UpdateWindow(about.hwnd());
  HDC dc = GetDC(about.hwnd());
  RECT client;
  GetClientRect(about.hwnd(), &client);
  const LONG w = client.right, h = client.bottom;
  int white = 0;
  for (LONG i = 0; i < 100; ++i)
    for (POINT p : {POINT{w - 1, i * h / 100}, POINT{i * w / 100, h - 1},
                    POINT{w * (3600 + 25 * i) / 10000, h * 665 / 1000},
                    POINT{w * (3600 + 25 * i) / 10000, h * 745 / 1000}}) {
      EXPECT_NE(GetPixel(dc, p.x, p.y), GetSysColor(COLOR_BTNFACE)) << p.x << "," << p.y;
      white += GetPixel(dc, p.x, p.y) == RGB(255, 255, 255);
    }
  EXPECT_GT(white, 20);
  ReleaseDC(about.hwnd(), dc);
  // Each glyph is drawn at the size for the scale.
  for (int button : {Form1::kCommand1, Form1::kCommand2}) {
    BUTTON_IMAGELIST image{};
    int size = 0;
    SendMessageA(main.Control(button), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
    ImageList_GetIconSize(image.himl, &size, &size);
    EXPECT_EQ(size, row->glyph);
  }
}

}  // namespace
}  // namespace vornacle::testing

// The program's resources as the system reads them: icon group, icon image and version record.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/resource.h"

namespace {

TEST(Resources, IconGroupOneHoldsTheOneSixteenPixelImage30001) {
  HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(nullptr, group)));
  EXPECT_EQ(*reinterpret_cast<WORD*>(directory + 4), 1) << "one image";
  EXPECT_EQ(LookupIconIdFromDirectoryEx(directory, TRUE, 16, 16, LR_DEFAULTCOLOR), 30001);
  HRSRC image = FindResourceA(nullptr, MAKEINTRESOURCEA(30001), MAKEINTRESOURCEA(3));
  ASSERT_NE(image, nullptr);
  auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, image)));
  EXPECT_EQ(header->biWidth, 16);
  EXPECT_EQ(header->biHeight, 32) << "colour and mask";
  EXPECT_EQ(header->biBitCount, 8);
}

TEST(Resources, VersionRecordSaysMainExecutable100InUsEnglish) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  std::string data(GetFileVersionInfoSizeA(path, &ignored), '\0');
  ASSERT_FALSE(data.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(data.size()), data.data()));

  auto query = [&](const char* key) {
    char* value = nullptr;
    UINT length = 0;
    return VerQueryValueA(data.data(), key, reinterpret_cast<void**>(&value), &length)
               ? std::string(value)
               : std::string("<none>");
  };
  EXPECT_EQ(query("\\StringFileInfo\\040904B0\\FileDescription"), "Main Executable");
  EXPECT_EQ(query("\\StringFileInfo\\040904B0\\FileVersion"), "1.00");
  EXPECT_EQ(query("\\StringFileInfo\\040904B0\\ProductVersion"), "1.00");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1200);
}

}  // namespace

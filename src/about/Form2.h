// The About window: the picture, the two link labels, OK and System Info. The program has one.
#pragma once

#include <cstdint>
#include <string>

#include "forms/form.h"
#include "runtime/picture.h"

namespace vornacle {

class Form2 : public forms::Form {
 public:
  static constexpr int kLabel1 = 2001;
  static constexpr int kLabel2 = 2002;
  static constexpr int kCommand1 = IDCANCEL;  // OK: Esc clicks it, like Exit on the main window
  static constexpr int kCmdSysInfo = 2004;

  ~Form2() override;

  // The program's one About window, loaded or not.
  static Form2& Shared();

  // Loads the window when it is not loaded, shows it modeless and puts the focus on OK.
  void Show();

  // Finds the system-information tool through the registry and starts it, or says that it is
  // unavailable.
  void StartSysInfo();
  bool GetKeyValue(std::int32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                   std::string& KeyVal);

 protected:
  void Click(int id) override;
  void PaintBackground(HDC dc) override;
  bool BackgroundCoversClientArea() const override;
  void Unloaded() override { picture_ = Picture(); }
  HCURSOR LabelCursor(int id) const override;

 private:
  void Command1_Click();
  void Label1_Click();
  void Label2_Click();
  void cmdsysinfo_Click();
  SIZE DrawnPictureSize() const;

  Picture picture_;
};

}  // namespace vornacle

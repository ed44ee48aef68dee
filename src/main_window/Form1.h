// The main window: the IP-address and host-name boxes, the two lookups, Exit, About, Add to hosts,
// and the hidden copy item.
#pragma once

#include <string>

#include "forms/form.h"
#include "runtime/handles.h"

namespace vornacle {

class Form1 : public forms::Form {
 public:
  // Control ids. Exit has the cancel id, so Esc clicks it; no control has IDOK, so Enter clicks none.
  static constexpr int kLabel1 = 1001;
  static constexpr int kText1 = 1002;
  static constexpr int kText2 = 1003;
  static constexpr int kCommand1 = 1004;
  static constexpr int kCommand2 = 1005;
  static constexpr int kLabel2 = 1006;
  static constexpr int kCommand3 = IDCANCEL;
  static constexpr int kCommand4 = 1008;
  static constexpr int kCommand5 = 1009;
  static constexpr int kMenuTy = 1101;

  ~Form1() override;

  // Creates the window with its controls, centred, not yet shown.
  void Load();
  void Show();

  // The Windows directory, or the empty text when the platform cannot say.
  std::string GetWinPath();

 protected:
  void Click(int id) override;
  HACCEL Accelerators() const override { return accelerators_.get(); }

 private:
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void ty_Click();

  UniqueMenu menu_;
  UniqueAccel accelerators_;
};

}  // namespace vornacle

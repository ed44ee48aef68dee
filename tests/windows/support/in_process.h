// The program's windows in the test's own process: a new program run for each test, with the main
// window shown, driven through the program's own event loop.
#pragma once

#include <gtest/gtest.h>

#include "about/Form2.h"
#include "forms/program.h"
#include "main_window/Form1.h"
#include "runtime/msgbox.h"
#include "support/support.h"

namespace vornacle::testing {

// Waits as WaitFor does, handling the program's events meanwhile.
inline bool PumpUntil(const std::function<bool()>& done) {
  return WaitFor(done, [] {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    forms::DoEvents();
  });
}

class Program : public ::testing::Test {
 protected:
  void SetUp() override { forms::ResetProgram(), main.Show(); }
  void TearDown() override { about.Unload(); }
  void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0), forms::DoEvents(); }
  Form1 main;
  Form2& about = Form2::Shared();
};

}  // namespace vornacle::testing

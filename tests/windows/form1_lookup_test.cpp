// The main window's lookups through the real wsock32 over the suite's hosts file.
#include <gtest/gtest.h>

#include "main_window/Form1.h"
#include "runtime/msgbox.h"
#include "support/ui.h"

namespace vornacle::testing {
namespace {

class Lookup : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::ResetProgram();
    form.Show();
    Pump();
  }
  void Click(int id) { SendMessageA(form.Control(id), BM_CLICK, 0, 0); }
  Form1 form;
};

TEST_F(Lookup, ForwardReplacesTheAddressBoxAndLeavesTheNameBox) {
  form.SetText(Form1::kText1, "old text");
  form.SetText(Form1::kText2, "twin.vornacle.test");
  MsgBoxCapture boxes;
  Click(Form1::kCommand1);
  EXPECT_EQ(form.Text(Form1::kText1), "10.20.30.40");
  EXPECT_EQ(form.Text(Form1::kText2), "twin.vornacle.test");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Lookup, ReverseReplacesTheNameBox) {
  form.SetText(Form1::kText1, "192.0.2.7");
  form.SetText(Form1::kText2, "old text");
  Click(Form1::kCommand2);
  EXPECT_EQ(form.Text(Form1::kText2), "alpha.vornacle.test");
  EXPECT_EQ(form.Text(Form1::kText1), "192.0.2.7");
}

TEST_F(Lookup, UnknownOrEmptyNameEmptiesTheAddressBoxSilently) {
  MsgBoxCapture boxes;
  for (const char* name : {"nosuch.vornacle.test", ""}) {
    form.SetText(Form1::kText1, "10.9.9.9");
    form.SetText(Form1::kText2, name);
    Click(Form1::kCommand1);
    EXPECT_EQ(form.Text(Form1::kText1), "") << name;
  }
  EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Lookup, InvalidAddressShowsTheResolversMessageAndEmptiesTheNameBox) {
  form.SetText(Form1::kText1, "not an address");
  form.SetText(Form1::kText2, "old text");
  BoxWatcher watcher;
  Click(Form1::kCommand2);
  const auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Invalid IP address");
  EXPECT_EQ(seen[0].title, "Vornacle");
  EXPECT_EQ(seen[0].icon, "");
  EXPECT_EQ(form.Text(Form1::kText2), "");
}

TEST_F(Lookup, AddressWithoutNameShowsTheResolversMessage) {
  form.SetText(Form1::kText1, "192.0.2.99");
  BoxWatcher watcher;
  Click(Form1::kCommand2);
  const auto seen = watcher.seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Call to gethostbyaddr failed.");
  EXPECT_EQ(form.Text(Form1::kText2), "");
}

TEST_F(Lookup, AMegabyteOfTextIsNoNameAndNoAddress) {
  const std::string huge(1 << 20, 'a');
  form.SetText(Form1::kText1, huge);
  form.SetText(Form1::kText2, huge);
  MsgBoxCapture boxes;
  Click(Form1::kCommand1);
  EXPECT_EQ(form.Text(Form1::kText1), "");
  EXPECT_TRUE(boxes.shown().empty());
  form.SetText(Form1::kText1, huge);
  Click(Form1::kCommand2);
  EXPECT_EQ(form.Text(Form1::kText2), "");
  EXPECT_EQ(boxes.shown(), (std::vector<ShownBox>{{"Invalid IP address", kMsgOkOnly, "Vornacle"}}));
}

TEST_F(Lookup, AccessKeysRunTheLookups) {
  form.SetText(Form1::kText2, "printer1");
  PressKey('I', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return form.Text(Form1::kText1) == "10.0.0.5"; }));
  form.SetText(Form1::kText2, "");
  PressKey('H', {VK_MENU});
  EXPECT_TRUE(PumpUntil([&] { return form.Text(Form1::kText2) == "printer1.vornacle.test"; }));
}

}  // namespace
}  // namespace vornacle::testing

// The main window's lookups through the real wsock32, over the suite's own hosts file.
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

TEST_F(Program, TheAccessKeysLookUpTheOtherBoxsTextAndReportWhatTheResolverSays) {
  struct Row {
    WORD key;  // Alt+I looks up the name in Text2, Alt+H the address in Text1
    std::string input, answer_and_box;
  } rows[] = {
      {'I', "twin.vornacle.test", "10.20.30.40|"},  // the first of two, in file order
      {'H', "192.0.2.7", "alpha.vornacle.test|"},
      {'H', "127.1", "localhost|"},  // the short form, as the platform reads it
  };
  for (const Row& row : rows) {
    const bool forward = row.key == 'I';
    const int from = forward ? Form1::kText2 : Form1::kText1, to = forward ? Form1::kText1 : Form1::kText2;
    main.SetText(from, row.input);
    main.SetText(to, "old");
    MsgBoxCapture boxes;
    PressKey(row.key, VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return main.Text(to) != "old"; }));
    EXPECT_EQ(main.Text(to) + "|" + (boxes.shown().empty() ? "" : boxes.shown()[0].prompt),
              row.answer_and_box);
    EXPECT_EQ(main.Text(from), row.input);
  }
}

}  // namespace
}  // namespace vornacle::testing

// The main window's lookups through the real wsock32, over the suite's own hosts file.
#include "resolve/clsResolve.h"
#include "support/in_process.h"

namespace vornacle::testing {
namespace {

TEST_F(Program, TheAccessKeysLookUpTheOtherBoxsTextAndReportWhatTheResolverSays) {
  const std::string huge(1 << 20, 'a');
  struct Row {
    WORD key;  // Alt+I looks up the name in Text2, Alt+H the address in Text1
    std::string input, answer_and_box;
  } rows[] = {
      {'I', "twin.vornacle.test", "10.20.30.40|"},  // the first of two, in file order
      {'I', "nosuch.vornacle.test", "|"},
      {'I', huge, "|"},
      {'H', "192.0.2.7", "alpha.vornacle.test|"},
      {'H', "127.1", "localhost|"},  // the short form, as the platform reads it
      {'H', "192.0.2.99", "|Call to gethostbyaddr failed."},
      {'H', huge, "|Invalid IP address"},
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
  // Any failure on the way is reported the same, and leaves both boxes.
  auto failing = wsock32::gethostbyname.Replace([](const char*) -> HostRecord* { throw std::bad_alloc(); });
  auto failing_too = wsock32::inet_addr.Replace([](const char*) -> std::uint32_t {
    throw RuntimeFailure{53, ""};
  });
  main.SetText(Form1::kText2, "printer1");
  MsgBoxCapture boxes;
  for (int id : {Form1::kCommand1, Form1::kCommand2}) Click(main.Control(id));
  EXPECT_EQ(boxes.shown(), std::vector<ShownBox>(2, {"Error! Make sure you are connected to the net and are "
                                                     "entering valid info!",
                                                     kMsgOkOnly, "Vornacle"}));
  EXPECT_EQ(main.Text(Form1::kText1) + "|" + main.Text(Form1::kText2), huge + "|printer1");
}

}  // namespace
}  // namespace vornacle::testing

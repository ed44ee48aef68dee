// The resolver against the real wsock32, over the suite's own hosts file (tests/names/hosts).
#include <gtest/gtest.h>

#include "resolve/clsResolve.h"
#include "runtime/msgbox.h"

namespace vornacle {
namespace {

using Boxes = std::vector<ShownBox>;

TEST(RealForwardLookup, HostWithTwoAddressesGivesTheFirst) {
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetIPFromHostName("twin.vornacle.test"), "10.20.30.40");
  EXPECT_EQ(clsResolve().GetIPFromHostName("printer1"), "10.0.0.5");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(RealForwardLookup, UnknownNameGivesEmptyTextWithoutMessage) {
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetIPFromHostName("nosuch.vornacle.test"), "");
  EXPECT_EQ(clsResolve().GetIPFromHostName(std::string("printer1\0.nosuch", 15)), "10.0.0.5");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(RealReverseLookup, GivesTheOfficialName) {
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetHostNameFromIP("192.0.2.7"), "alpha.vornacle.test");
  EXPECT_EQ(clsResolve().GetHostNameFromIP("10.0.0.5"), "printer1.vornacle.test");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(RealReverseLookup, ShortFormIsAcceptedAsThePlatformParsesIt) {
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetHostNameFromIP("127.1"), "localhost");
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(RealReverseLookup, AddressWithoutNameIsReported) {
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetHostNameFromIP("192.0.2.99"), "");
  EXPECT_EQ(boxes.shown(), (Boxes{{"Call to gethostbyaddr failed.", kMsgOkOnly, "Vornacle"}}));
}

TEST(RealReverseLookup, AllOnesAndNonAddressTextAreInvalid) {
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetHostNameFromIP("255.255.255.255"), "");
  EXPECT_EQ(clsResolve().GetHostNameFromIP("printer1"), "");
  EXPECT_EQ(boxes.shown(), (Boxes{{"Invalid IP address", kMsgOkOnly, "Vornacle"},
                                  {"Invalid IP address", kMsgOkOnly, "Vornacle"}}));
}

}  // namespace
}  // namespace vornacle

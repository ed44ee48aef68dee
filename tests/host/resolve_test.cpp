// The resolver against a stand-in wsock32: every path's result, messages and sockets start/stop.
#include <gtest/gtest.h>

#include "fakes/fake_wsock32.h"
#include "resolve/clsResolve.h"
#include "runtime/failure.h"
#include "runtime/msgbox.h"

namespace vornacle::testing {
namespace {

using Calls = std::vector<std::string>;
using Boxes = std::vector<ShownBox>;

FakeHost Host(std::string name, std::vector<std::vector<unsigned char>> addresses) {
  FakeHost host;
  host.name = std::move(name);
  host.addresses = std::move(addresses);
  return host;
}

TEST(ForwardLookup, GivesTheFirstAddressAsDottedTextWithoutStoppingSockets) {
  FakeWsock32 platform;
  platform.by_name["twin"] = Host("twin.example", {{10, 0, 0, 1}, {10, 0, 0, 2}});
  MsgBoxCapture boxes;

  EXPECT_EQ(clsResolve().GetIPFromHostName("twin"), "10.0.0.1");
  EXPECT_EQ(platform.calls, (Calls{"WSAStartup", "gethostbyname(twin)"}));
  EXPECT_EQ(platform.startup_versions, std::vector<std::uint16_t>{257});
  EXPECT_TRUE(platform.startup_record_was_zero);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(ForwardLookup, WritesEveryByteWithoutLeadingZeros) {
  FakeWsock32 platform;
  platform.by_name["mask"] = Host("mask", {{255, 255, 255, 0}});
  platform.by_name["low"] = Host("low", {{0, 7, 100, 9}});
  EXPECT_EQ(clsResolve().GetIPFromHostName("mask"), "255.255.255.0");
  EXPECT_EQ(clsResolve().GetIPFromHostName("low"), "0.7.100.9");
}

TEST(ForwardLookup, UnknownNameGivesEmptyTextSilently) {
  FakeWsock32 platform;
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetIPFromHostName("nowhere"), "");
  EXPECT_EQ(platform.Stops(), 0);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(ForwardLookup, NameIsSeenOnlyUpToAnEmbeddedNul) {
  FakeWsock32 platform;
  platform.by_name["abc"] = Host("abc", {{1, 2, 3, 4}});
  EXPECT_EQ(clsResolve().GetIPFromHostName(std::string("abc\0def", 7)), "1.2.3.4");
  EXPECT_EQ(clsResolve().GetIPFromHostName(""), "");
  EXPECT_EQ(platform.calls.back(), "gethostbyname()");
}

TEST(ForwardLookup, FailedStartShowsMessageWithFullStopAndLooksNothingUp) {
  FakeWsock32 platform;
  platform.startup_result = 10091;
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetIPFromHostName("twin"), "");
  EXPECT_EQ(boxes.shown(), (Boxes{{"Failed to open Socket.", kMsgOkOnly, "Vornacle"}}));
  EXPECT_EQ(platform.calls, (Calls{"WSAStartup"}));
}

TEST(ForwardLookup, UnusualRecordsNeverReadPastWhatTheyHold) {
  FakeWsock32 platform;
  FakeHost wide = Host("v6", {std::vector<unsigned char>(16, 0xFE)});
  wide.address_length = 16;
  platform.by_name["wide"] = wide;
  platform.by_name["none"] = Host("none", {});
  FakeHost no_list = Host("nolist", {{1, 2, 3, 4}});
  no_list.null_address_list = true;
  platform.by_name["nolist"] = no_list;
  FakeHost negative = Host("neg", {{1, 2, 3, 4}});
  negative.address_length = -1;
  platform.by_name["negative"] = negative;
  MsgBoxCapture boxes;

  for (const char* name : {"wide", "none", "nolist", "negative"}) {
    EXPECT_EQ(clsResolve().GetIPFromHostName(name), "") << name;
  }
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(ForwardLookup, ShortAddressKeepsSpacesInTheUncoveredPlaces) {
  FakeWsock32 platform;
  FakeHost shorter = Host("short", {{9, 8}});
  shorter.address_length = 2;
  platform.by_name["short"] = shorter;
  EXPECT_EQ(clsResolve().GetIPFromHostName("short"), "9.8.32.32");
}

TEST(ReverseLookup, GivesTheOfficialNameThenStopsSockets) {
  FakeWsock32 platform;
  platform.by_address[NetworkAddress(192, 0, 2, 7)] = Host("alpha.example", {{192, 0, 2, 7}});
  MsgBoxCapture boxes;

  EXPECT_EQ(clsResolve().GetHostNameFromIP("192.0.2.7"), "alpha.example");
  const std::string address = std::to_string(NetworkAddress(192, 0, 2, 7));
  EXPECT_EQ(platform.calls, (Calls{"WSAStartup", "inet_addr(192.0.2.7)", "gethostbyaddr(" + address + ",4,2)",
                                   "WSACleanup"}));
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(ReverseLookup, FailedStopIsReportedAndTheNameStillReturned) {
  FakeWsock32 platform;
  platform.cleanup_result = -1;
  platform.by_address[NetworkAddress(192, 0, 2, 7)] = Host("alpha.example", {});
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetHostNameFromIP("192.0.2.7"), "alpha.example");
  EXPECT_EQ(boxes.shown(), (Boxes{{"Error calling apiWSACleanup.", kMsgCritical, "Vornacle"}}));
}

TEST(ReverseLookup, UnknownAddressIsReportedBeforeTheStopAndItsFailure) {
  FakeWsock32 platform;
  platform.cleanup_result = 10093;
  MsgBoxCapture boxes;
  std::vector<std::string> calls_when_shown;
  boxes.on_show = [&](const ShownBox&) { calls_when_shown.push_back(platform.calls.back()); };

  EXPECT_EQ(clsResolve().GetHostNameFromIP("192.0.2.99"), "");
  EXPECT_EQ(boxes.shown(), (Boxes{{"Call to gethostbyaddr failed.", kMsgOkOnly, "Vornacle"},
                                  {"Error calling apiWSACleanup.", kMsgCritical, "Vornacle"}}));
  // The first message comes before the stop, the second after it.
  EXPECT_EQ(calls_when_shown[0].rfind("gethostbyaddr", 0), 0u);
  EXPECT_EQ(calls_when_shown[1], "WSACleanup");
}

TEST(ReverseLookup, RejectedAddressTextIsReportedAndLeavesSocketsStarted) {
  FakeWsock32 platform;
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetHostNameFromIP("not an address"), "");
  EXPECT_EQ(clsResolve().GetHostNameFromIP("255.255.255.255"), "");
  EXPECT_EQ(boxes.shown(), (Boxes{{"Invalid IP address", kMsgOkOnly, "Vornacle"},
                                  {"Invalid IP address", kMsgOkOnly, "Vornacle"}}));
  EXPECT_EQ(platform.Starts(), 2);
  EXPECT_EQ(platform.Stops(), 0);
}

TEST(ReverseLookup, FailedStartShowsMessageWithoutFullStop) {
  FakeWsock32 platform;
  platform.startup_result = 10092;
  MsgBoxCapture boxes;
  EXPECT_EQ(clsResolve().GetHostNameFromIP("192.0.2.7"), "");
  EXPECT_EQ(boxes.shown(), (Boxes{{"Failed to open Socket", kMsgOkOnly, "Vornacle"}}));
  EXPECT_EQ(platform.calls, (Calls{"WSAStartup"}));
}

TEST(ReverseLookup, EmptyOrMissingNameGivesEmptyTextSilentlyAfterTheStop) {
  FakeWsock32 platform;
  platform.by_address[NetworkAddress(10, 0, 0, 1)] = Host("", {});
  FakeHost null_name;
  null_name.null_name = true;
  platform.by_address[NetworkAddress(10, 0, 0, 2)] = null_name;
  MsgBoxCapture boxes;

  EXPECT_EQ(clsResolve().GetHostNameFromIP("10.0.0.1"), "");
  EXPECT_EQ(clsResolve().GetHostNameFromIP("10.0.0.2"), "");
  EXPECT_EQ(platform.Stops(), 2);
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(Resolver, AFailureToBindTheSocketsLibraryPassesToTheCaller) {
  // No stand-in: natively nothing can be bound, as if wsock32.dll were missing.
  MsgBoxCapture boxes;
  for (auto lookup : {&clsResolve::GetIPFromHostName, &clsResolve::GetHostNameFromIP}) {
    clsResolve resolver;
    try {
      (resolver.*lookup)("x");
      ADD_FAILURE() << "no failure raised";
    } catch (const RuntimeFailure& failure) {
      EXPECT_EQ(failure.number, 53);
      EXPECT_EQ(failure.description, "File not found: wsock32.dll");
    }
  }
  EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace
}  // namespace vornacle::testing

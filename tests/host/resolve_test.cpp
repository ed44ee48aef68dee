// The resolver against a stand-in wsock32: each path's answer, messages and sockets start and stop.
#include <gtest/gtest.h>

#include "fakes/platform.h"
#include "runtime/failure.h"

namespace vornacle::testing {
namespace {

using std::string_literals::operator""s;
constexpr auto kNone = std::nullopt;
const FakeHost kAlpha;

struct Row {
  bool reverse;  // GetHostNameFromIP, else GetIPFromHostName
  std::string input;
  std::optional<FakeHost> host;
  std::string answer, transcript;
  int startup = 0, cleanup = 0;
};

const std::string kBy7 = "start(257) parse(192.0.2.7) byaddr(192.0.2.7,4,2) ";
const std::string kNotFound = "box(Vornacle|0|Call to gethostbyaddr failed.) ";
const std::string kStopFailed = "box(Vornacle|16|Error calling apiWSACleanup.) ";
const std::string kInvalid = "box(Vornacle|0|Invalid IP address) ";

const Row kRows[] = {
    {false, "twin", FakeHost{{"\x0A\x00\x00\x01"s, "\x0A\x00\x00\x02"s}}, "10.0.0.1",
     "start(257) byname(twin) "},
    {false, "x", FakeHost{{"\xC8\x07\x64\x00"s}}, "200.7.100.0", "start(257) byname(x) "},
    {false, "nowhere", kNone, "", "start(257) byname(nowhere) "},
    {false, "x", kAlpha, "", "start(257) box(Vornacle|0|Failed to open Socket.) ", 10091},
    {false, "x", FakeHost{{std::string(16, '\xFE')}, 16}, "", "start(257) byname(x) "},
    {false, "x", FakeHost{.length = -1}, "", "start(257) byname(x) "},
    {false, "x", FakeHost{.null_list = true}, "", "start(257) byname(x) "},
    {false, "x", FakeHost{{"\x09\x08"s}, 2}, "9.8.32.32", "start(257) byname(x) "},  // the rest stays spaces
    {true, "192.0.2.7", kAlpha, "alpha.example", kBy7 + "stop "},
    {true, "192.0.2.7", kAlpha, "alpha.example", kBy7 + "stop " + kStopFailed, 0, -1},
    {true, "192.0.2.7", kNone, "", kBy7 + kNotFound + "stop " + kStopFailed, 0, 10093},
    {true, "not an address", kAlpha, "", "start(257) parse(not an address) " + kInvalid},
    {true, "192.0.2.7", kAlpha, "", "start(257) box(Vornacle|0|Failed to open Socket) ", 10092},
    {true, "192.0.2.7", FakeHost{.name = nullptr}, "", kBy7 + "stop "},
};

TEST(Resolver, EveryPathGivesItsAnswerMessagesAndCalls) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.transcript);
    Transcript log;
    FakeWsock32 platform(log, row.host, row.startup, row.cleanup);
    clsResolve resolver;
    EXPECT_EQ(row.reverse ? resolver.GetHostNameFromIP(row.input) : resolver.GetIPFromHostName(row.input),
              row.answer);
    EXPECT_EQ(log.text, row.transcript);
  }
}

TEST(Resolver, ASocketsLibraryThatCannotBeBoundFailsToTheCaller) {
  Transcript log;                     // no stand-in: natively nothing binds, as if wsock32.dll were missing
  { FakeWsock32 gone(log, kAlpha); }  // nor does a stand-in outlive its scope
  try {
    clsResolve().GetHostNameFromIP("x");
  } catch (const RuntimeFailure& failure) {
    log.text += std::to_string(failure.number) + " " + failure.description;
  }
  EXPECT_EQ(log.text, "53 File not found: wsock32.dll");
}

}  // namespace
}  // namespace vornacle::testing

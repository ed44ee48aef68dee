// The runtime's seams: declared functions, their replacements, message-box capture, failures.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "runtime/declared.h"
#include "runtime/failure.h"
#include "runtime/msgbox.h"

namespace vornacle {
namespace {

Declared<int(int)> Twice{"nosuch32.dll", "Twice"};

TEST(Declared, ReplacementsNestAndRestoreOnScopeExit) {
  auto outer = Twice.Replace([](int x) { return 2 * x; });
  EXPECT_EQ(Twice(4), 8);
  {
    auto inner = Twice.Replace([](int x) { return 3 * x; });
    EXPECT_EQ(Twice(4), 12);
  }
  EXPECT_EQ(Twice(4), 8);
}

TEST(Declared, UnboundFunctionRaisesFileNotFoundForItsLibrary) {
  try {
    Twice(1);
    FAIL() << "no failure raised";
  } catch (const RuntimeFailure& failure) {
    EXPECT_EQ(failure.number, 53);
    EXPECT_EQ(failure.description, "File not found: nosuch32.dll");
  }
}

TEST(MsgBox, DefaultsToTheApplicationTitleAndCapturesNest) {
  MsgBoxCapture outer;
  MsgBox("one");
  {
    MsgBoxCapture inner;
    MsgBox("two", kMsgCritical, "Own title");
    EXPECT_EQ(inner.shown(), (std::vector<ShownBox>{{"two", 16, "Own title"}}));
  }
  MsgBox("three", kMsgInformation);
  EXPECT_EQ(outer.shown(), (std::vector<ShownBox>{{"one", 0, "Vornacle"}, {"three", 64, "Vornacle"}}));
}

TEST(CurrentFailure, KeepsRuntimeFailuresAndMapsEverythingElse) {
  auto failure_of = [](auto thrower) {
    try {
      thrower();
    } catch (...) {
      return CurrentFailure();
    }
    return RuntimeFailure{};
  };
  RuntimeFailure own = failure_of([] { throw RuntimeFailure{-5, "negative"}; });
  EXPECT_EQ(own.number, -5);
  EXPECT_EQ(own.description, "negative");
  EXPECT_EQ(failure_of([] { throw std::bad_alloc(); }).number, 7);
  EXPECT_EQ(failure_of([] { throw std::runtime_error("x"); }).number, 51);
}

}  // namespace
}  // namespace vornacle

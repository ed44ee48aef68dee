// The two link procedures of the About window: the home page and a new mail message, by the shell.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "runtime/declared.h"

namespace vornacle {

inline constexpr char kHomePage[] = "http://www.vornacle.test";
inline constexpr char kMailAddress[] = "support@vornacle.test";
inline constexpr char kMailTarget[] = "mailto:support@vornacle.test?subject=Vornacle";
inline constexpr char kWebLinkFailed[] = "Error! You may not have a default web browser.  Manually go to ";
inline constexpr char kMailLinkFailed[] =
    "Error! You may not have a default mail program.  Send mail manually to ";

namespace shell32 {
inline Declared<void*(void*, const char*, const char*, const char*, const char*, int)> ShellExecuteA{
    "shell32.dll", "ShellExecuteA"};
}

namespace Module2 {

// A platform's part in a link request, given in a file of that platform's own; like a declared
// function, a test may put a fake in its place for one scope.
template <typename Signature>
class PlatformPart;

template <typename R, typename... Args>
class PlatformPart<R(Args...)> {
 public:
  explicit PlatformPart(std::function<R(Args...)> real) : call_(std::move(real)) {}
  PlatformPart(const PlatformPart&) = delete;
  PlatformPart& operator=(const PlatformPart&) = delete;

  R operator()(Args... args) const { return call_(args...); }

  // Restores whatever stood before it when it goes out of scope, so replacements may nest.
  class [[nodiscard]] Replacement {
   public:
    Replacement(PlatformPart& part, std::function<R(Args...)> fake)
        : part_(part), previous_(std::exchange(part.call_, std::move(fake))) {}
    ~Replacement() { part_.call_ = std::move(previous_); }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

   private:
    PlatformPart& part_;
    std::function<R(Args...)> previous_;
  };

  Replacement Replace(std::function<R(Args...)> fake) { return Replacement(*this, std::move(fake)); }

 private:
  std::function<R(Args...)> call_;
};

// Whether the program's token is elevated, as it is when the user chose "Run as administrator".
extern PlatformPart<bool()> RunsElevated;
// Hands the request to the desktop's shell, which runs as the user; false where no desktop shell
// answered, and nothing was requested then.
extern PlatformPart<bool(const char* file, const char* directory, int show)> OpenFromDesktop;

// Each hands one request to the shell and ignores its answer; a failure while making the request is
// shown in a message box, and only a failure while showing it leaves the procedure. An elevated
// program hands it to the desktop's shell where one answers, so that the browser or mail program
// runs as the user, not elevated too.
void OpenHomePage();
void OpenMailMessage();

// The title of a link's failure message: "Error # <number>: <description>".
std::string FailureTitle(long number, const std::string& description);

}  // namespace Module2
}  // namespace vornacle

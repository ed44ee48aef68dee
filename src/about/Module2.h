// The two link procedures of the About window: the home page and a new mail message, by the shell.
#pragma once

#include <string>

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
namespace user32 {
inline Declared<int(unsigned long)> AllowSetForegroundWindow{"user32.dll", "AllowSetForegroundWindow"};
}

namespace Module2 {

// The platform's parts in a link request, given in a file of each platform's own; a test may put a
// fake in their place for one scope.
template <typename Signature>
using PlatformPart = Replaceable<Signature>;

// The elevation type of the program's token, as the system numbers them: full where it runs elevated
// with a split token, as when a user of the administrators' group chose "Run as administrator", and the
// desktop runs unelevated as that user; default with UAC off, as the built-in Administrator, or where
// the type cannot be read; limited where it runs unelevated with a split token.
inline constexpr int kElevationDefault = 1, kElevationFull = 2, kElevationLimited = 3;
extern PlatformPart<int()> ElevationType;
// Hands the request to the desktop's shell, which runs as the user, and lets the shell's process bring
// what it starts to the front; raises the failure of the step where no desktop shell answered, and
// nothing was requested then.
extern PlatformPart<void(const char* file, const char* directory, int show)> OpenFromDesktop;

// Each hands one request to the shell and ignores its answer; a failure while making the request is
// shown in a message box, and only a failure while showing it leaves the procedure. A program run
// elevated with a split token hands it to the desktop's shell only, so that the browser or mail
// program never runs elevated too.
void OpenHomePage();
void OpenMailMessage();

// The title of a link's failure message: "Error # <number>: <description>".
std::string FailureTitle(long number, const std::string& description);

}  // namespace Module2
}  // namespace vornacle

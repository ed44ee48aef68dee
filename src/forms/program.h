// The program as a whole: the forms that are loaded, the one whose Click handler runs, the thread's
// apartment from the first window to the last, the message loop, and the end of the program.
#pragma once

#include <vector>

namespace vornacle::forms {

class Form;

// Before a form makes its window: the first takes the apartment, and from then on message boxes
// belong to the forms.
void PrepareForWindows();
// A form's window is being made; false where it could not be counted, and the window is not made.
bool FormCreated(Form* form) noexcept;
// A form's window is gone. The program ends when no window of it remains loaded.
void FormDestroyed(Form* form);
// A form goes while its window is still there: no longer counted, and nothing ends with it.
void FormForgotten(Form* form);
const std::vector<Form*>& LoadedForms();

// The form whose Click handler runs now, or null: handlers never nest.
Form* HandlingForm();
void SetHandlingForm(Form* form);

// Waits for and handles events until the program ends; returns the exit code that the quit carries.
int RunMessageLoop();
// Handles what is waiting in the queue and returns, for tests that drive forms in-process.
void DoEvents();
// Ends the program at once: the message loop stops without handling anything more.
void EndProgram();
bool ProgramEnded();
// For tests: a new program run in the same process.
void ResetProgram();

}  // namespace vornacle::forms

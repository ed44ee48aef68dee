// The modal message box through which every failure and confirmation reaches the user.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vornacle {

inline constexpr char kAppTitle[] = "Vornacle";

// Button-and-icon flags; the program only ever shows the OK button.
inline constexpr int kMsgOkOnly = 0;
inline constexpr int kMsgCritical = 16;
inline constexpr int kMsgInformation = 64;

// Shows a modal box and returns once the user has closed it. A box without a title of its own
// carries the application title.
void MsgBox(const std::string& prompt, int flags = kMsgOkOnly,
            const std::optional<std::string>& title = std::nullopt);

struct ShownBox {
  std::string prompt;
  int flags;
  std::string title;
  friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

// Records the boxes shown during its scope instead of showing them; each counts as closed at once.
class [[nodiscard]] MsgBoxCapture {
 public:
  MsgBoxCapture();
  ~MsgBoxCapture();
  MsgBoxCapture(const MsgBoxCapture&) = delete;
  MsgBoxCapture& operator=(const MsgBoxCapture&) = delete;

  const std::vector<ShownBox>& shown() const { return shown_; }

  // Runs when a box is shown, after it is recorded, as if the user acted while the box was open.
  std::function<void(const ShownBox&)> on_show;

 private:
  friend void MsgBox(const std::string&, int, const std::optional<std::string>&);
  std::vector<ShownBox> shown_;
  MsgBoxCapture* previous_;
};

// How a box that no test captures is shown. Until the windows put their own in its place, the
// platform's box, owned by no window: MessageBoxA on Windows.
using BoxPresenter = void (*)(const std::string& prompt, int flags, const std::string& title);
void ShowPlatformMessageBox(const std::string& prompt, int flags, const std::string& title);
void PresentBoxesWith(BoxPresenter presenter);

}  // namespace vornacle

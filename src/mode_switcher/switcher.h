// The mode-switch helper: a small always-on-top window with two buttons that put the
// host's modem into RTTY or BPSK63 and then give the keyboard back to the host.
//
// Everything the program decides lives here; the Windows side only creates the window,
// translates its messages into calls of ModeSwitcher and carries out the Platform calls.
#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string_view>

namespace zd::switcher {

struct Rgb {
  unsigned char r, g, b;
};

// The window, sizes in twips (1440 to the inch).
inline constexpr std::wstring_view kWindowClass = L"Form1";
inline constexpr std::wstring_view kCaption = L"ZORVAN-DIGI     ";  // five trailing blanks
inline constexpr Rgb kFormColour{192, 192, 192};
inline constexpr int kClientWidthTwips = 2250;
inline constexpr int kClientHeightTwips = 600;

// The buttons: their own face colour, Verdana bold 7.5 pt with the Cyrillic character set.
inline constexpr Rgb kButtonColour{224, 224, 224};
inline constexpr std::wstring_view kButtonFont = L"Verdana";
inline constexpr int kButtonFontTenthsOfPoint = 75;

enum class Button { kRtty, kBpsk63 };

struct ButtonLayout {
  Button button;
  int id;
  std::wstring_view name;
  std::wstring_view caption;
  int left, top, width, height;  // twips, client coordinates
};

// In tab order.
inline constexpr std::array<ButtonLayout, 2> kButtons{{
    {Button::kRtty, 1001, L"Command1", L"RTTY", 120, 120, 855, 372},
    {Button::kBpsk63, 1003, L"Command3", L"BPSK63", 1200, 120, 855, 372},
}};

// Re-attaches to the host this often; the program ends when that fails.
inline constexpr unsigned kTimerMs = 500;

// The single-instance semaphore.
inline constexpr wchar_t kSemaphoreName[] = L"Ruve_Dura";

inline constexpr std::wstring_view kNotLoadedText = L"Vevozi2 is not loaded";
inline constexpr std::wstring_view kNotLoadedTitle = L"ZORVAN-DIGI";

// Twips to pixels at `dots_per_inch`, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dots_per_inch);

// Font height in pixels of a size given in tenths of a point, rounded to the nearest pixel.
int PointTenthsToPixels(int tenths, int dots_per_inch);

// True for the class name of the host's main window: its first 18 characters are the
// host's frame prefix; what follows does not matter.
bool IsHostWindowClass(std::wstring_view class_name);

// The macros, in the order they are sent.
using MacroPair = std::array<std::string_view, 2>;
MacroPair StartMacros();
MacroPair MacrosFor(Button button);

// How the program ended; the process exit code.
enum class Exit : int {
  kClosed = 0,          // the operator closed the window
  kHostNotLoaded = 1,   // no host at start (after the message box)
  kAlreadyRunning = 2,  // another instance holds the semaphore
  kHostGone = 3,        // a timer tick could no longer attach
  kNoWindow = 4,        // the window could not be created
};

// What the program asks of the system.
class Platform {
 public:
  virtual ~Platform() = default;
  // Attaches to the host's running automation object, replacing any held reference.
  virtual bool AttachHost() = 0;
  // Creates the single-instance semaphore; false when it exists already or on any error.
  virtual bool ClaimSingleInstance() = 0;
  // Looks for the host's main window once; remembers it (or nothing).
  virtual void FindHostWindow() = 0;
  // Shows the helper's window topmost, without moving, resizing or activating it.
  virtual bool ShowTopmostWindow() = 0;
  // One macro through the host's ExecuteMacros, called by name; false when rejected.
  virtual bool ExecuteMacro(std::string_view macro) = 0;
  // Reads the host's Mode property by name; false when rejected.
  virtual bool ReadHostMode() = 0;
  // Brings the remembered host window to the foreground (nothing without one).
  virtual void BringHostToFront() = 0;
  // The modal "Vevozi2 is not loaded" box; returns when it is closed.
  virtual void ShowHostNotLoaded() = 0;
};

// The program's behaviour, driven by the window's messages.
class ModeSwitcher {
 public:
  explicit ModeSwitcher(Platform& platform) : platform_(platform) {}

  // Form load. An exit code means the program ends now.
  std::optional<Exit> Start();
  // A button click. A click that arrives while a host call is under way is carried out
  // right after it, in order.
  void OnButton(Button button);
  // A timer tick. An exit code means the program ends now.
  std::optional<Exit> OnTimer();

  bool connected() const { return connected_; }

 private:
  // Sends the macros in order and stops at the first one the host rejects: the rest
  // would switch the host half-way (a baud rate for the wrong mode).
  void SendMacros(const MacroPair& macros);
  void Switch(Button button);
  void RunPendingClicks();

  Platform& platform_;
  bool connected_ = false;
  // The host calls wait for the host and let window messages through meanwhile; a
  // click or tick arriving then is not run inside the one in progress: clicks wait in
  // pending_, ticks are skipped (the next one comes soon).
  bool busy_ = false;
  std::deque<Button> pending_;
};

}  // namespace zd::switcher

// Tappolin: while enabled, a right-button release makes the active dialog-framed window receive
// an Enter key press, so its default button is pressed. This is the program's whole behaviour as
// a state machine over an injected window system; the Win32 binding lives in win32/.
#pragma once

#include <cstdint>
#include <string>

namespace tappolin {

// The platform's own numbers are the vocabulary of this program.
inline constexpr int kHcAction = 0;
inline constexpr unsigned kWmDestroy = 0x0002;
inline constexpr unsigned kWmKeyDown = 0x0100;
inline constexpr unsigned kWmKeyUp = 0x0101;
inline constexpr unsigned kWmChar = 0x0102;
inline constexpr unsigned kWmCommand = 0x0111;
inline constexpr unsigned kWmMouseMove = 0x0200;
inline constexpr unsigned kWmLButtonDown = 0x0201;
inline constexpr unsigned kWmLButtonUp = 0x0202;
inline constexpr unsigned kWmRButtonDown = 0x0204;
inline constexpr unsigned kWmRButtonUp = 0x0205;
inline constexpr std::uint32_t kWsExDlgModalFrame = 0x00000001;
inline constexpr unsigned kVkReturn = 13;
// Repeat count 1, scan code 0x1C; the release also has the previous-state and transition bits.
inline constexpr std::uint32_t kReturnPressData = 0x001C0001;
inline constexpr std::uint32_t kReturnReleaseData = 0xC01C0001;

inline constexpr int kIconEnabled = 102;
inline constexpr int kIconDisabled = 103;

inline constexpr unsigned kCmdToggle = 1;
inline constexpr unsigned kCmdAbout = 2;
inline constexpr unsigned kCmdClose = 3;

inline constexpr char kClassName[] = "TappolinClass";
inline constexpr char kWindowTitle[] = "Sample";
inline constexpr char kTrayMessageName[] = "wm_myicon";
inline constexpr char kTipEnabled[] = "Tappolin";
inline constexpr char kTipDisabled[] = "Tappolin (DISABLED)";
inline constexpr char kMenuDisable[] = "Disable";
inline constexpr char kMenuEnable[] = "Enable";
inline constexpr char kMenuAbout[] = "About ...";
inline constexpr char kMenuClose[] = "Close";
inline constexpr char kHookFailed[] = "Hook failed";
inline constexpr char kAboutCaption[] = "About";
inline constexpr char kAboutText[] =
    "Tappolin 1.1 - Copyright (C) 2026 the Varnex 2000 team. Free to use and to share.\n"
    "http://www.varnex2000.example/";

// Opaque window handle; 0 is "no window".
using Window = std::uintptr_t;

enum class TrayAction { Add, Modify, Delete };
enum class BoxKind { Plain, Information };
// What the hook procedure does with the event after deciding on it.
enum class HookVerdict { PassOn, Swallow };

// Everything the program asks of the window system.
class WindowSystem {
public:
  virtual ~WindowSystem() = default;
  // Registers the tray callback message by name; the tray record carries it from then on.
  // Returns the identifier, 0 on failure.
  virtual unsigned registerTrayMessage(const char* name) = 0;
  // Sets the tray record's icon and tip (kept as they are for Delete), then passes the record
  // to the shell.
  virtual void notifyIcon(TrayAction action, int iconResource, const char* tip) = 0;
  virtual void createMenu() = 0;
  virtual void appendMenuItem(unsigned command, const char* text) = 0;
  virtual void appendMenuSeparator() = 0;
  virtual void setMenuItemText(unsigned command, const char* text) = 0;
  // Shows the popup menu at the point and returns when it closes; a choice arrives later as a
  // command message.
  virtual void trackMenu(int x, int y) = 0;
  virtual void cursorPos(int& x, int& y) = 0;
  virtual Window foregroundWindow() = 0;
  virtual void setForegroundWindow(Window w) = 0;
  // Removes one pending message of the hidden window, if there is one.
  virtual void dropOnePendingMessage() = 0;
  // Installs the system-wide journal-record hook; false when the system refuses.
  virtual bool installHook() = 0;
  virtual void removeHook() = 0;
  virtual Window activeWindow() = 0;
  virtual std::uint32_t extendedStyle(Window w) = 0;
  virtual void postMessage(Window w, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // Modal; returns when the box is closed. Messages keep flowing meanwhile.
  virtual void messageBox(const char* text, const char* caption, BoxKind kind) = 0;
  virtual void postQuit(int code) = 0;
};

class Tappolin {
public:
  Tappolin(WindowSystem& ws, Window hidden) : ws_(ws), hidden_(hidden) {}

  // Tray icon, menu and hook; the program starts enabled even when the hook is refused.
  void setUp();

  // The hook procedure's decision for one recorded event. `message` points at the event
  // record's message number and is read only for HC_ACTION.
  HookVerdict journalEvent(int code, const std::uint32_t* message);

  // The window procedure: true when the message was handled (the result is then 0), false when
  // it belongs to the default procedure.
  bool windowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  void toggle();
  void trayCallback(unsigned mouseMessage);
  void about();
  void quit();

  bool enabled() const { return enabled_; }
  bool quitting() const { return quitting_; }
  unsigned trayMessage() const { return trayMessage_; }

private:
  WindowSystem& ws_;
  Window hidden_;
  unsigned trayMessage_ = 0;
  bool enabled_ = false;
  bool aboutOpen_ = false;
  bool quitting_ = false;
  Window previousForeground_ = 0;
};

}  // namespace tappolin

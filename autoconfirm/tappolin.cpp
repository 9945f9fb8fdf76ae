#include "autoconfirm/tappolin.h"

namespace tappolin {

void Tappolin::setUp() {
  trayMessage_ = ws_.registerTrayMessage(kTrayMessageName);
  ws_.notifyIcon(TrayAction::Add, kIconEnabled, kTipEnabled);
  ws_.createMenu();
  ws_.appendMenuItem(kCmdToggle, kMenuDisable);
  ws_.appendMenuItem(kCmdAbout, kMenuAbout);
  ws_.appendMenuSeparator();
  ws_.appendMenuItem(kCmdClose, kMenuClose);
  if (!ws_.installHook()) ws_.messageBox(kHookFailed, "", BoxKind::Plain);
  // Enabled even without a hook: a toggle off and on again retries the installation.
  enabled_ = true;
}

HookVerdict Tappolin::journalEvent(int code, const std::uint32_t* message) {
  // Only an action code carries a valid event record.
  if (code != kHcAction || message == nullptr || *message != kWmRButtonUp) return HookVerdict::PassOn;
  const Window active = ws_.activeWindow();
  if (active != 0 && (ws_.extendedStyle(active) & kWsExDlgModalFrame) != 0) {
    ws_.postMessage(active, kWmKeyDown, kVkReturn, kReturnPressData);
    ws_.postMessage(active, kWmChar, kVkReturn, kReturnPressData);
    // The release data has bit 31 set; keep it a 32-bit pattern whatever the width of lParam.
    ws_.postMessage(active, kWmKeyUp, kVkReturn,
                    static_cast<std::intptr_t>(static_cast<std::int32_t>(kReturnReleaseData)));
  }
  // The release is kept from later recorders even when nothing was posted; the click itself
  // still reaches its window, since recording consumes nothing.
  return HookVerdict::Swallow;
}

bool Tappolin::windowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  // 0 means the registration failed (or has not happened yet); it must not capture WM_NULL.
  if (trayMessage_ != 0 && message == trayMessage_) {
    trayCallback(static_cast<unsigned>(lParam));
    return true;
  }
  if (message == kWmDestroy) {
    quit();
    return true;
  }
  if (message == kWmCommand) {
    switch (wParam) {
      case kCmdToggle: toggle(); break;
      case kCmdAbout: about(); break;
      case kCmdClose: quit(); break;
      default: break;
    }
    return true;
  }
  return false;
}

void Tappolin::toggle() {
  // Once quitting, a late command must not put a hook or an icon back.
  if (quitting_) return;
  if (enabled_) {
    ws_.removeHook();
    enabled_ = false;
    ws_.setMenuItemText(kCmdToggle, kMenuEnable);
    ws_.notifyIcon(TrayAction::Modify, kIconDisabled, kTipDisabled);
  } else {
    ws_.installHook();  // a refusal here is not reported
    enabled_ = true;
    ws_.setMenuItemText(kCmdToggle, kMenuDisable);
    ws_.notifyIcon(TrayAction::Modify, kIconEnabled, kTipEnabled);
  }
}

void Tappolin::trayCallback(unsigned mouseMessage) {
  if (quitting_) return;
  switch (mouseMessage) {
    case kWmLButtonDown:
      toggle();
      break;
    case kWmRButtonDown:
      previousForeground_ = ws_.foregroundWindow();
      ws_.setForegroundWindow(hidden_);
      break;
    case kWmRButtonUp: {
      int x = 0, y = 0;
      ws_.cursorPos(x, y);
      ws_.dropOnePendingMessage();
      ws_.trackMenu(x, y);
      if (previousForeground_ != 0) ws_.setForegroundWindow(previousForeground_);
      break;
    }
    default:
      break;
  }
}

void Tappolin::about() {
  // The box runs a nested message loop in which another "About ..." can arrive.
  if (aboutOpen_) return;
  aboutOpen_ = true;
  ws_.messageBox(kAboutText, kAboutCaption, BoxKind::Information);
  aboutOpen_ = false;
}

void Tappolin::quit() {
  // "Close" is followed by WM_DESTROY when the window goes; the hook and icon go only once.
  if (quitting_) return;
  quitting_ = true;
  if (enabled_) {
    ws_.removeHook();
    enabled_ = false;
  }
  ws_.notifyIcon(TrayAction::Delete, 0, nullptr);
  ws_.postQuit(0);
}

}  // namespace tappolin

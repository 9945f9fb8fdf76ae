// A window system that records every call as one readable line and answers from fields the
// test sets.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "autoconfirm/tappolin.h"

namespace tappolin::testing {

struct Post {
  Window window;
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

class FakeWindowSystem : public WindowSystem {
public:
  // Answers.
  unsigned trayMessageId = 0xC123;
  bool hookAccepted = true;
  Window active = 0;
  std::uint32_t activeExStyle = 0;
  Window foreground = 0;
  int cursorX = 0, cursorY = 0;
  // Runs inside messageBox while the "box" is open, as its nested message loop would.
  std::function<void()> whileBoxOpen;

  // Records.
  std::vector<std::string> log;
  std::vector<Post> posts;
  int hooksInstalled = 0;
  int hooksRemoved = 0;

  unsigned registerTrayMessage(const char* name) override {
    log.push_back(std::string("registerTrayMessage ") + name);
    return trayMessageId;
  }
  void notifyIcon(TrayAction action, int icon, const char* tip) override {
    if (action == TrayAction::Delete) {
      log.push_back("notifyIcon Delete");
      return;
    }
    log.push_back(std::string("notifyIcon ") + (action == TrayAction::Add ? "Add " : "Modify ") +
                  std::to_string(icon) + " \"" + tip + "\"");
  }
  void createMenu() override { log.push_back("createMenu"); }
  void appendMenuItem(unsigned command, const char* text) override {
    log.push_back("appendMenuItem " + std::to_string(command) + " \"" + text + "\"");
  }
  void appendMenuSeparator() override { log.push_back("appendMenuSeparator"); }
  void setMenuItemText(unsigned command, const char* text) override {
    log.push_back("setMenuItemText " + std::to_string(command) + " \"" + text + "\"");
  }
  void trackMenu(int x, int y) override {
    log.push_back("trackMenu " + std::to_string(x) + "," + std::to_string(y));
  }
  void cursorPos(int& x, int& y) override {
    log.push_back("cursorPos");
    x = cursorX;
    y = cursorY;
  }
  Window foregroundWindow() override {
    log.push_back("foregroundWindow");
    return foreground;
  }
  void setForegroundWindow(Window w) override {
    log.push_back("setForegroundWindow " + std::to_string(w));
    foreground = w;
  }
  void dropOnePendingMessage() override { log.push_back("dropOnePendingMessage"); }
  bool installHook() override {
    log.push_back("installHook");
    if (hookAccepted) ++hooksInstalled;
    return hookAccepted;
  }
  void removeHook() override {
    log.push_back("removeHook");
    ++hooksRemoved;
  }
  Window activeWindow() override {
    log.push_back("activeWindow");
    return active;
  }
  std::uint32_t extendedStyle(Window w) override {
    log.push_back("extendedStyle " + std::to_string(w));
    return w == active ? activeExStyle : 0;
  }
  void postMessage(Window w, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    posts.push_back({w, message, wParam, lParam});
  }
  void messageBox(const char* text, const char* caption, BoxKind kind) override {
    log.push_back(std::string("messageBox \"") + text + "\" \"" + caption + "\" " +
                  (kind == BoxKind::Information ? "information" : "plain"));
    if (whileBoxOpen) whileBoxOpen();
    log.push_back("messageBox closed");
  }
  void postQuit(int code) override { log.push_back("postQuit " + std::to_string(code)); }
};

}  // namespace tappolin::testing

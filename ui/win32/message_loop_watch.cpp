#include "ui/win32/message_loop_watch.h"

namespace varnex::ui::win32 {

namespace {

// Messages taken from the queue while any watch was alive. The program's windows live on one
// thread, so a plain counter does.
unsigned long takenMessages = 0;

}  // namespace

MessageLoopWatch::MessageLoopWatch()
    : hook_(SetWindowsHookExA(WH_GETMESSAGE, &MessageLoopWatch::taken, nullptr, GetCurrentThreadId())),
      start_(takenMessages) {}

MessageLoopWatch::~MessageLoopWatch() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

bool MessageLoopWatch::loopRan() const { return takenMessages != start_; }

LRESULT CALLBACK MessageLoopWatch::taken(int code, WPARAM wParam, LPARAM lParam) {
  // A look that leaves the message in the queue takes nothing from anyone.
  if (code == HC_ACTION && wParam == PM_REMOVE) ++takenMessages;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace varnex::ui::win32

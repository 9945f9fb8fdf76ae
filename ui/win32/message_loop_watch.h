#pragma once
// Tells whether a message loop ran on this thread while the watch was alive: a message box, a
// dialog, a menu or any other loop that took a message from the queue. A handler that ran one
// may have let it take input meant for the caller, such as the release of a mouse press.
#include <windows.h>

namespace varnex::ui::win32 {

class MessageLoopWatch {
 public:
  MessageLoopWatch();
  ~MessageLoopWatch();
  MessageLoopWatch(const MessageLoopWatch&) = delete;
  MessageLoopWatch& operator=(const MessageLoopWatch&) = delete;

  bool loopRan() const;

 private:
  static LRESULT CALLBACK taken(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_;
  unsigned long start_;
};

}  // namespace varnex::ui::win32

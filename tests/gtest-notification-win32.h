// Force-included into GoogleTest for the Windows runners: the win32 thread model of our cross
// compiler has no std::mutex, which GoogleTest's Notification needs. Our runners are
// single-threaded, so a flag is all Notification has to be.
#pragma once
#define GTEST_HAS_NOTIFICATION_ 1
namespace testing {
namespace internal {
class Notification {
 public:
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  volatile bool notified_ = false;
};
}  // namespace internal
}  // namespace testing

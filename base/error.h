#pragma once
// The errors every layer throws. They keep their text in std::string: the standard library's
// own error classes (std::runtime_error and its kin) keep theirs in a second, reference-counted
// string type, and in a statically linked Windows program that alone brings some 50 KB of
// library code along. Use these, not the standard ones.
#include <exception>
#include <string>
#include <utility>

namespace varnex {

class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A fault of the program itself (a control asked for by a wrong name, a row of the wrong kind),
// never of the machine or of what the user typed.
struct LogicError : Error {
  using Error::Error;
};

}  // namespace varnex

// Linked into Varnex.exe, the one program we ship that throws. The runtime's containers and
// strings report misuse (an index out of range, a length beyond the maximum) through these
// functions; the runtime's own versions build the standard error classes, which keep their text
// in a second, reference-counted string type: some 50 KB of library code in a statically linked
// program. Misuse is a fault of the program whatever its class, so one small error carries the
// runtime's text; the window procedures' boundary shows it like any other.
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryMisuse : public std::exception {
 public:
  explicit LibraryMisuse(const char* what) : what_(what ? what : "library misuse") {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_bad_exception() { throw bad_exception(); }
void __throw_logic_error(const char* what) { throw LibraryMisuse(what); }
void __throw_domain_error(const char* what) { throw LibraryMisuse(what); }
void __throw_invalid_argument(const char* what) { throw LibraryMisuse(what); }
void __throw_length_error(const char* what) { throw LibraryMisuse(what); }
void __throw_out_of_range(const char* what) { throw LibraryMisuse(what); }
// The format's arguments are left out: the text names the operation, which is what matters.
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryMisuse(format); }
void __throw_runtime_error(const char* what) { throw LibraryMisuse(what); }
void __throw_range_error(const char* what) { throw LibraryMisuse(what); }
void __throw_overflow_error(const char* what) { throw LibraryMisuse(what); }
void __throw_underflow_error(const char* what) { throw LibraryMisuse(what); }

}  // namespace std

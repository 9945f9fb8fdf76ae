// Linked into every binary we ship. The C++ runtime's default handler for an escaped exception
// prints the exception's demangled type to stderr, and the demangler and printf behind it are
// ~80 KB per binary. A Windows 98 GUI program has no stderr to print to, so ending the process
// at once is what the user sees either way.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

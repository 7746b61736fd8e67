// The C++ runtime's default terminate handler, replaced for the Windows
// program. The runtime's own one writes the uncaught exception's demangled
// type to the standard error stream, which a windowed program does not have,
// and brings the whole demangler (some 46 KB) and MinGW's printf engine with
// it; the latter also imports IsDBCSLeadByteEx, which Windows 95 lacks.
// Exceptions from the forms' handlers never get this far: the application
// object shows them in its message box.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

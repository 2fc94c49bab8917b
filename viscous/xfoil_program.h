#pragma once

#include <stdexcept>
#include <string>

namespace folix {

// The XFOIL program a polar runs and the library preloaded into it.
struct XfoilProgram {
    std::string program;
    std::string noTrapsLibrary;  // libfolix_no_fpe_traps.so: see no_fpe_traps.cpp
};

// XFOIL cannot be run: the message says what to install or set.
class XfoilUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The environment variables that name another XFOIL build and another copy
// of the library.
inline constexpr const char* kXfoilVariable = "FOLIX_XFOIL";
inline constexpr const char* kNoTrapsLibraryVariable = "FOLIX_NO_FPE_TRAPS_LIBRARY";
inline constexpr const char* kNoTrapsLibraryName = "libfolix_no_fpe_traps.so";

// The program: `requested` when given, else $FOLIX_XFOIL, else xfoil on the
// PATH (a name without "/" is looked up on the PATH too). The library:
// $FOLIX_NO_FPE_TRAPS_LIBRARY, else lib/folix/libfolix_no_fpe_traps.so in the
// nearest folder above the program or Python module this code is part of,
// which is where both the build tree and an install put it. Throws
// XfoilUnavailable when either is missing.
XfoilProgram findXfoil(const std::string& requested);

// Why findXfoil would throw, or "" when XFOIL can be run.
std::string xfoilUnavailableReason(const std::string& requested);

}  // namespace folix

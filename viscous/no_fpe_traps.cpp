// Preloaded into XFOIL (LD_PRELOAD) by every polar run; never linked.
//
// Debian's xfoil is built with gfortran's floating-point traps: its main
// program calls _gfortran_set_fpe at start-up, and the solver's first
// division by zero or invalid operation, which it tolerates when traps are
// off, ends it on SIGFPE, even for a NACA 2412 at zero incidence once
// graphics are switched off. (With graphics on it needs an X display instead.)
// Defined here, the symbol is found before libgfortran's, so the traps stay
// off and the run goes on as an untrapped build would; a NaN it produces
// reaches the polar file, whose reader refuses it. A private virtual display
// per run would instead need Xvfb installed and a second process to start,
// wait for and kill, and would still leave the traps on.

#include <cfenv>

extern "C" __attribute__((visibility("default"))) void _gfortran_set_fpe(int /*traps*/)
{
    fedisableexcept(FE_ALL_EXCEPT);
}

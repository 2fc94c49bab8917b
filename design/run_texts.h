#pragma once

namespace folix {

// The design run's own texts: the history's title and the location search's
// give-up line, and the two family names.
inline constexpr const char* kHistoryTitle = " Iteration history";
inline constexpr const char* kLocationNotConverged = "Iteration is not converged for M after 20 step!";
inline constexpr const char* kJoukowskyAirfoil = "JOUKOWSKY AIRFOIL";
inline constexpr const char* kKarmanTrefftzAirfoil = "KARMAN-TREFFTZ AIRFOIL";

}  // namespace folix

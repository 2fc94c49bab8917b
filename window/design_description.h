#pragma once

#include <string>
#include <vector>

#include "design/design_record.h"
#include "engine/mapped_section.h"

namespace folix {

// The shown design in words, from what its run read and found.

// Short, for a legend: "δ 0.12  γ 0.02  τ 10°", or "… x/c 0.3" after a
// location-mode run.
std::string designLabel(const DesignRecord& record, bool locationMode);

// For a saved file's metadata or header: "thickness 0.12, camber 0.02,
// trailing-edge angle 10 deg; KARMAN-TREFFTZ AIRFOIL F 0.0703 G 0.04377
// m 1.94444". ASCII, so that any reader of the file takes it.
std::string designNote(const DesignRecord& record, bool locationMode);

// "alpha 4 deg, Cl 0.7609, Cm -0.0660": the angle of attack in degrees and the
// coefficients as the windows show them.
std::string loadsNote(double alpha, double Cl, double Cm);

// loadsNote of the section's exact inviscid flow at alpha degrees; empty
// where the flow has no finite loads.
std::string loadsNoteOf(const MappedSection& section, double alpha);

// Each note as a comment line "# note" heading a table.
std::string commentLines(const std::vector<std::string>& notes);

}  // namespace folix

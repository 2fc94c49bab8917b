#pragma once

#include <string>

#include "engine/design_state.h"
#include "engine/mapped_section.h"

namespace folix {

// A design as a run leaves it and "Save result" records it: the design
// record's scalar fields, with the unit of each angle in its name.
struct DesignRecord {
    std::string family;           // AirfoilType; empty if the run stopped before naming it
    double thickness = 0;         // Delta, as read
    double camber = 0;            // Gamma, as read
    double recordedLocation = 0;  // XDltC: the wanted location in location mode, else the last measured one
    double teAngleRadians = 0;    // Tau as the run leaves it: the typed angle in radians
    double F = 0;
    double G = 0;
    double m = 0;  // EM

    MappedSection section() const { return {family, F, G, m}; }
};

DesignRecord designRecord(const DesignState& state);

// The design state that holds this record (Pi set, tables unset): what the
// save command takes.
DesignState designState(const DesignRecord& record);

}  // namespace folix

#pragma once

#include <string>

namespace folix {

// The commands of the main window's toolbar, and whether each applies now.
enum class Command {
    ExportCoordinates,
    CopyCoordinates,
    ExportDrawing,
    SavePicture,
    PressureDistribution,
    Flow,
    Pin,
    AddReference,
    DesignForLift,
    ViscousPolar,
};

// What the window knows that decides it.
struct CommandFacts {
    bool drawn = false;           // a completed run's section is drawn
    bool pinsFull = false;        // every pin is taken
    bool viscousSection = false;  // the analysis window has its viscous section
    bool xfoil = false;           // the xfoil program can be started
};

struct CommandState {
    bool enabled = false;
    std::string reason;  // why not, in a few words; empty when enabled
};

CommandState commandState(Command command, const CommandFacts& facts);

}  // namespace folix

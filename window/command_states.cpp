#include "command_states.h"

namespace folix {

namespace {

constexpr const char* kNothingDrawn = "design a section first";

CommandState unless(bool missing, const char* reason)
{
    return missing ? CommandState{false, reason} : CommandState{true, {}};
}

}  // namespace

CommandState commandState(Command command, const CommandFacts& facts)
{
    switch (command) {
    case Command::AddReference:
        return unless(facts.pinsFull, "all pins are taken: remove one first");
    case Command::Pin:
        if (facts.pinsFull) return {false, "all pins are taken: remove one first"};
        return unless(!facts.drawn, kNothingDrawn);
    case Command::DesignForLift:
        return {true, {}};  // it reads the boxes, not a drawn section
    case Command::ViscousPolar:
        if (!facts.viscousSection) return {false, "not part of this build yet: the pressure window has no viscous section"};
        if (!facts.xfoil) return {false, "needs the xfoil program (Debian package xfoil), which is not installed"};
        return unless(!facts.drawn, kNothingDrawn);
    default:
        return unless(!facts.drawn, kNothingDrawn);
    }
}

}  // namespace folix

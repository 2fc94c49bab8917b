#pragma once

#include <QIcon>

#include "window/command_states.h"

// The toolbar's icons, drawn as vector strokes at whatever size and screen
// scale a button asks for: sharp everywhere, greyed in their disabled mode.
QIcon commandIcon(folix::Command command);

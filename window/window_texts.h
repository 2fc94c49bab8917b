#pragma once

// The caption of the program's message boxes.
inline constexpr const char* kProgramTitle = "FolixDesign";

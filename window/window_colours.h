#pragma once

#include <QColor>

// The background of the drawing surface, the family-name box and the About window.
inline const QColor kLightYellow{255, 255, 192};
// Product name and title in the About window.
inline const QColor kDarkGreen{0, 128, 0};
// The contact address in the About window.
inline const QColor kAddressBlue{0, 0, 255};

// The pressure plot: the two surfaces, told apart also by those with red-green colour blindness.
inline const QColor kUpperSurfaceInk{0, 90, 200};
inline const QColor kLowerSurfaceInk{215, 95, 0};
inline const QColor kChartPaper{255, 255, 232};
inline const QColor kGridInk{214, 210, 170};
inline const QColor kZeroInk{110, 110, 110};
inline const QColor kAxisInk{60, 60, 60};
inline const QColor kOutlineInk{70, 70, 70};
inline const QColor kOutlineFill{205, 205, 195};
inline const QColor kMessageInk{150, 30, 30};

// The section outline: black, as the surface's own foreground colour was.
inline const QColor kSectionInk{0, 0, 0};

// An outline or a result that belongs to inputs changed since its run.
inline const QColor kStaleInk{150, 150, 150};

// The pinned sections, each in the colour of its slot: muted beside the shown
// section's black, and apart from the pressure chart's blue and orange.
inline const QColor kPinInks[] = {{110, 165, 110}, {165, 110, 170}, {80, 165, 170},
                                  {185, 160, 60},  {205, 115, 135}, {140, 120, 100}};

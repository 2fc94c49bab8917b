#pragma once

#include <QColor>

// The background of the drawing surface, the family-name box and the About window.
inline const QColor kLightYellow{255, 255, 192};
// Product name and title in the About window.
inline const QColor kDarkGreen{0, 128, 0};
// The contact address in the About window.
inline const QColor kAddressBlue{0, 0, 255};

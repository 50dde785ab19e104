#pragma once
// The palette of a typical dark desktop (light text on dark faces, a bright blue highlight),
// for looking at the windows and checking their colours under one.

#include <QPalette>

QPalette darkDesktopPalette();

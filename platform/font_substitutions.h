#pragma once
// The windows ask for the families they were designed with ("MS Sans Serif",
// "Tahoma", "Bookman Old Style", ...). This one place maps each of those names onto
// a free family that the set-up installs, with fallbacks that cover Cyrillic.

// Call once, after the application object exists and before any window is made.
void registerFontSubstitutions();

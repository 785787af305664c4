#pragma once
// System drawing objects made from the framework's descriptions (TFont,
// TBrush, TPen) and colours. Objects are made once per distinct description
// and kept for the life of the process: a program uses a handful of fonts and
// colours, and sharing them spares every paint the create/delete round trip.
// Callers never delete what they get.

#include <windows.h>

#include "framework/Brush.h"
#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/Pen.h"

namespace gdi {

// The RGB value of a colour, resolving system colours.
COLORREF ColorToRGB(TColor color);

HFONT Font(const TFont& font);
HBRUSH Brush(const TBrush& brush);
HBRUSH SolidBrush(TColor color);
HPEN Pen(const TPen& pen);

// A memory device context compatible with the screen, kept for the process,
// for measuring text and reading pixels: the screen's metrics and formats
// without fetching and releasing the screen's context (a round trip to the
// window system) each time. Callers restore what they select into it.
HDC MemoryDC();

// Fills the LOGFONTW of a font description, resolving "Face CE" names.
LOGFONTW LogFont(const TFont& font);

}  // namespace gdi

#pragma once
// Forms are laid out in pixels of a screen of 96 dots per inch. A program
// that declares itself DPI-aware (as the launcher's manifest does) is not
// enlarged by the system on a screen scaled to 150 % or 200 %, so a fixed
// pixel layout would come out at two-thirds or half its designed size.
// ScaleForm scales a form made for 96 DPI to another DPI: its client size,
// the bounds of every control, every font of its own (controls that follow
// their parent's font follow it), and the pictures of its images (drawn
// scaled with smooth filtering). Positions and sizes are scaled edge by edge,
// rounded down, so that controls that meet still meet. At 96 DPI nothing
// changes.

class TCustomForm;

constexpr int DesignDpi = 96;

// The DPI of the screen (LOGPIXELSY).
int ScreenDpi();
void ScaleForm(TCustomForm& form, int dpi);

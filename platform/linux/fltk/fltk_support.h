#pragma once
// What the FLTK dialog windows and the message box share: the one-time set-up (fonts,
// colours, the plain label type), the mapping of layout fonts and colours, and the hook
// that keeps FLTK in the program's message loop while one of its windows is open.
#include <FL/Enumerations.H>

#include <string>

#include "common/layout.h"

namespace platform::fltk {

// Registers our fonts and label type and sets the dialog colours; runs once.
void EnsureSetup();

// The layout's dialog font ("MS Sans Serif" 8.25 pt at 96 DPI, 11 pixels) is drawn with
// Liberation Sans, whose metrics are closest among the fonts we can rely on.
Fl_Font FontFor(const mt::layout::Font& font);
Fl_Fontsize FontSizeFor(const mt::layout::Font& font);

Fl_Color ColourFor(const mt::layout::Colour& colour);

// A label type that draws its text exactly as given: no "@" symbols, no "&" shortcuts.
Fl_Labeltype PlainLabel();

// A caption as the user sees it: "&&" shows as one "&", a single "&" (a mnemonic marker)
// is not shown.
std::string DisplayText(const std::string& caption);

// Layout units of a stored layout to pixels: integer division, as the stored layouts
// were made at 96 DPI.
int LayoutToPixels(int32_t units);

// Every shown FLTK window is counted; while the count is above zero FLTK is one of the
// program's message sources (so RunUntilNoWindowOpen ends when the last one closes).
void WindowShown();
void WindowHidden();

}  // namespace platform::fltk

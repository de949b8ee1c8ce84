#ifndef VARNEL_LOGO_AUTOCOLOUR_H
#define VARNEL_LOGO_AUTOCOLOUR_H

class TBitmap;
class TColorTable;

// A colour picture's logo area (136 × 126 pixels from its top-left) as the editor's drawing and
// colour table, cell by cell: of every foreground (0–15) on black, or with `background` on every
// background (0–7) as well, the cell takes the pair that reproduces its pixels with the least
// squared error, each pixel shown in whichever of the two lies nearer; the pixels shown in the
// foreground are lit. Where pairs tie, black grounds and lower colours win. A cell without lit
// pixels gets foreground 15, so that a pixel drawn there later shows. The background goes into
// bits 4–6 of the attribute. The drawing is 137 × 127 pixels of one bit, lit pixels white.
TBitmap AutoColour(const TBitmap& area, TColorTable& colors, bool background);

#endif

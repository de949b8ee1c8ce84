#ifndef VARNEL_LOGO_AUTOCOLOUR_H
#define VARNEL_LOGO_AUTOCOLOUR_H

class TBitmap;
class TColorTable;

// A colour picture's logo area (136 × 126 pixels from its top-left) as the editor's drawing and
// colour table, cell by cell: the cell's colour is the average of its pixels that are not
// (nearly) black; a pixel is lit when it lies nearer that colour than black; the cell gets the
// text-mode colour nearest the average of its lit pixels, on black. A cell without lit pixels
// keeps attribute 15. The drawing is 137 × 127 pixels of one bit, lit pixels white.
TBitmap AutoColour(const TBitmap& area, TColorTable& colors);

#endif

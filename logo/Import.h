#ifndef VARNEL_LOGO_IMPORT_H
#define VARNEL_LOGO_IMPORT_H

#include "logo/ImportOptions.h"

class TBitmap;
class TColorTable;
class TGraphic;

// A picture of any kind as the editor's drawing (137 × 127 pixels, 1 bit, lit pixels white) and
// colour table, as `options` say: laid into the logo's cells, then lit by the one-bit rule with
// every cell's attribute `options.attribute`, or lit and coloured cell by cell. Cells beyond
// `options.cells` stay unlit.
TBitmap ImportPicture(TGraphic& picture, const TImportOptions& options, TColorTable& colors);

#endif

#ifndef VARNEL_LOGO_TEMPLATES_H
#define VARNEL_LOGO_TEMPLATES_H

class TBitmap;

// The two pictures a fresh logo starts from, and what the template files hold.
namespace Templates {

// 137 × 127, 1 bit (black, white), all black.
TBitmap BlankDrawing();
// 153 × 135, 4 bits, the 16-colour palette: black 8 × 14 cells framed by silver grid lines in
// every column 9k + 8 and every row 15k + 14.
TBitmap BlankPreview();

} // namespace Templates

#endif

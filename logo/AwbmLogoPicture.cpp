// A full-screen logo as a bitmap. Apart from the reader so that what only reads a logo and
// reports on it or draws it as a file links no Qt Gui.
#include "logo/AwbmLogo.h"
#include "runtime/Bitmap.h"

TBitmap TAwbmLogo::Render() const {
    return TBitmap::OfIndexed(Shown());
}

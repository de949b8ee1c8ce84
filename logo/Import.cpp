#include "logo/Import.h"

#include "logo/AutoColour.h"
#include "logo/ColorTable.h"
#include "logo/OneBit.h"
#include "logo/PictureArea.h"

TBitmap ImportPicture(TGraphic& picture, const TImportOptions& options, TColorTable& colors) {
    const TPictureArea area = PictureArea(picture, options.cells, options.fit);
    if (options.autoColour != TAutoColour::Off)
        return AutoColour(area.pixels, colors,
                          options.autoColour == TAutoColour::ForegroundAndBackground);
    colors.Fill(options.attribute);
    return OneBitDrawing(area, options);
}

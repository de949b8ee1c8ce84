#ifndef VARNEL_EDITOR_EDITSTATE_H
#define VARNEL_EDITOR_EDITSTATE_H

#include "editor/LitPixels.h"
#include "logo/ColorTable.h"
#include "runtime/Graphic.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// What a step changed besides the logo's content, which every state copies whole.
// The names count only when a step set them: a save or a language change names the same drawing
// anew, and an undo after it keeps that name.
enum TStepParts : unsigned { stDrawing = 1, stPreview = 2, stNames = 4 };

// Everything of the logo document but its two pictures. Every undo step holds a copy of it
// whole, so a field added here is undone with the rest.
struct TLogoContent {
    TColorTable colors;
    TLitPixels lit;
    // The text of "bin1.dat" as the last conversion wrote it, and the folder it went to; none
    // before the first conversion and after New, when there is no logo to save.
    std::optional<QByteArray> byteRows;
    QString byteRowsFolder;
    // The names shown under the drawing and the preview.
    QString pictureName;
    QString logoName;

    bool operator==(const TLogoContent&) const = default;
};

// Everything one undo step gives back: what the window shows and what the next save reads.
// Pictures are shared between neighbouring states that did not change them.
struct TEditState {
    std::shared_ptr<const TGraphic> drawing;
    std::shared_ptr<const TGraphic> preview;
    TLogoContent content;
};

#endif

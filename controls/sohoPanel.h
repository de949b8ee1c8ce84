#ifndef VARNEL_CONTROLS_SOHOPANEL_H
#define VARNEL_CONTROLS_SOHOPANEL_H

#include "runtime/Bitmap.h"
#include "runtime/Panel.h"

// A bevelled panel whose face is a picture laid as tiles inside its bevels, the picture's
// top-left corner at the inner bevel's inner corner, never scaled.
class TsohoPanel : public TPanel {
    Q_OBJECT
public:
    // Starts with a copy of `picture`, or with the built-in "DEFAULTPANEL" when none is given.
    explicit TsohoPanel(QWidget* parent, const TBitmap* picture = nullptr);

    const TBitmap& BackImage() const { return backImage_; }
    // Copies the picture; none brings back the built-in "DEFAULTPANEL".
    void SetBackImage(const TBitmap* picture);

protected:
    void Paint(TCanvas& canvas) override;

private:
    TBitmap backImage_;
    QImage tile_; // the picture as it is laid: 8-bit with its colours, or 32-bit
};

#endif

#ifndef VARNEL_CONTROLS_TEXTBUTTON_H
#define VARNEL_CONTROLS_TEXTBUTTON_H

#include "controls/Sound.h"
#include "controls/sohoCustomLabel.h"
#include "runtime/Bitmap.h"
#include "runtime/ModalResult.h"

#include <QPointer>

// Presets of glyph, caption and modal result; sbCustom keeps what the button has.
enum TsohoButtonKind { sbOk, sbCancel, sbYes, sbNo, sbClose, sbCustom };

// Where the glyph stands beside the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The window's flat command button: a framed 3-D caption, with an optional glyph beside it,
// centred in the frame. It lies on its parent's face (transparent, of the size it is given),
// never takes the focus, and shows the pointing hand. Held down, its bevels are reversed, its
// content moves one pixel right and down and its caption is lit from the other side. A left
// press released over it plays the click sound, hands ModalResult to its window and raises
// OnClick. Disabled, its caption is grey and it takes no presses.
class TsohoTextButton : public TsohoCustomLabel {
    Q_OBJECT
public:
    explicit TsohoTextButton(QWidget* parent);

    TsohoButtonKind Kind() const { return kind_; }
    // A preset loads the kind's glyph, caption and modal result; sbCustom only clears the
    // modal result.
    void SetKind(TsohoButtonKind kind);
    // Two cells side by side: the picture, black where the face shows, and its mask, black
    // where the picture is opaque and white elsewhere. Drawing on it repaints the button.
    TBitmap& Glyph() { return glyph_; }
    // Copies the picture; none clears the glyph.
    void SetGlyph(const TBitmap* glyph);
    // The button's layout is where its glyph stands; the label's text layout does not apply.
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // Handed to the window the button lies on at every click, mrNone included.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // The component that plays the click sound: at first the window's first one, if it has
    // one; none when that component is destroyed.
    TsohoSound* Sound() const { return sound_; }
    void SetSound(TsohoSound* sound) { sound_ = sound; }
    // A wave file's name, or "#" and the name of a raw-data resource.
    const QString& ClickSound() const { return clickSound_; }
    void SetClickSound(const QString& sound) { clickSound_ = sound; }

    bool Pressed() const { return pressed_; }

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void Click() override;
    void EnabledChanged() override;

private:
    struct Arrangement {
        QPoint glyph;
        QPoint text;
    };
    Arrangement Arrange(const QRect& area, QSize glyph, QSize text) const;
    void DrawGlyph(TCanvas& canvas, QPoint at) const;
    void PlayClickSound();
    void Release();

    TsohoButtonKind kind_ = sbCustom;
    TBitmap glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    TModalResult modalResult_ = mrNone;
    QPointer<TsohoSound> sound_;
    QString clickSound_;
    bool pressed_ = false;
    TLightPos savedLight_ = lpLeftTop;
};

#endif

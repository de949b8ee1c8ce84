#include "controls/TextButton.h"

#include "controls/Sound.h"
#include "runtime/Canvas.h"
#include "runtime/Cursors.h"
#include "runtime/Resources.h"

namespace {

struct KindPreset {
    const char* glyph;
    const char16_t* caption;
    TModalResult modalResult;
};

// Indexed by TsohoButtonKind, sbCustom excepted.
constexpr KindPreset kPresets[] = {{"sbOK", u"OK", mrOk},
                                   {"sbCANCEL", u"Сброс", mrCancel},
                                   {"sbYES", u"Да", mrYes},
                                   {"sbNO", u"Нет", mrNo},
                                   {"sbCLOSE", u"Закрыть", mrNone}};

// One line, "&" underlining the next character; no word wrap.
constexpr int kCaptionFlags =
    Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic;

// Where something `size` long starts when centred on `span` pixels from `start`; the half is
// truncated toward zero together with the start.
int Centred(int start, int span, int size) {
    return static_cast<int>(start + (span - size) * 0.5);
}

} // namespace

TsohoTextButton::TsohoTextButton(QWidget* parent) : TsohoCustomLabel(parent) {
    SetAutoSize(false);
    SetTransparent(true);
    resize(75, 24);
    setCursor(TCursors::Get(crHandPoint));
    if (const auto* control = qobject_cast<TControl*>(parent))
        SetColor(control->Color());
    if (parent)
        sound_ = parent->window()->findChild<TsohoSound*>(QString(), Qt::FindDirectChildrenOnly);
    glyph_.OnChange = [this](TGraphic&) { update(); };
}

void TsohoTextButton::SetKind(TsohoButtonKind kind) {
    if (!Store(kind_, kind))
        return;
    if (kind == sbCustom) {
        modalResult_ = mrNone;
        return;
    }
    const KindPreset& preset = kPresets[kind];
    TBitmap glyph;
    if (const std::optional<QByteArray> bytes = FindResource(TResourceKind::Bitmap, preset.glyph))
        glyph.LoadFromBytes(*bytes);
    SetGlyph(&glyph);
    SetCaption(QString::fromUtf16(preset.caption));
    modalResult_ = preset.modalResult;
}

void TsohoTextButton::SetGlyph(const TBitmap* glyph) {
    glyph_ = glyph ? *glyph : TBitmap();
    update();
}

void TsohoTextButton::SetLayout(TButtonLayout layout) {
    if (Store(layout_, layout))
        update();
}

void TsohoTextButton::Paint(TCanvas& canvas) {
    QRect area = DrawFrame(canvas, pressed_);
    if (pressed_)
        area.translate(1, 1);
    canvas.SetFont(Font());
    const QSize glyph = glyph_.Empty() ? QSize(0, 0) : QSize(glyph_.Width() / 2, glyph_.Height());
    const QSize text(canvas.TextRect({}, kCaptionFlags, Caption()).width(),
                     canvas.TextRect({}, kCaptionFlags, QStringLiteral("W")).height());
    const Arrangement at = Arrange(area, glyph, text);
    DrawGlyph(canvas, at.glyph);
    // The caption proper stands Height3D pixels right of its place, its copies round it.
    const int depth = Height3D();
    DrawText3D(canvas, Caption(),
               QRect(at.text, text).adjusted(-depth, -depth, depth, depth).translated(depth, 0),
               kCaptionFlags, Look());
}

// Glyph and caption centred together in `area`, one pixel apart; the gap is not centred with
// them, and an empty glyph still takes part.
TsohoTextButton::Arrangement TsohoTextButton::Arrange(const QRect& area, QSize glyph,
                                                      QSize text) const {
    const auto across = [&](int size) { return Centred(area.left(), area.width(), size); };
    const auto down = [&](int size) { return Centred(area.top(), area.height(), size); };
    switch (layout_) {
    case blGlyphRight: {
        const QPoint caption(across(glyph.width() + text.width()), down(text.height()));
        return {{caption.x() + text.width() + 1, down(glyph.height())}, caption};
    }
    case blGlyphTop: {
        const QPoint picture(across(glyph.width()), down(glyph.height() + text.height()));
        return {picture, {across(text.width()), picture.y() + glyph.height() + 1}};
    }
    case blGlyphBottom: {
        const QPoint caption(across(text.width()), down(glyph.height() + text.height()));
        return {{across(glyph.width()), caption.y() + text.height() + 1}, caption};
    }
    case blGlyphLeft:
        break;
    }
    const QPoint picture(across(glyph.width() + text.width()), down(glyph.height()));
    return {picture, {picture.x() + glyph.width() + 1, down(text.height())}};
}

void TsohoTextButton::DrawGlyph(TCanvas& canvas, QPoint at) const {
    if (glyph_.Empty())
        return;
    const QImage cells = glyph_.Image().convertToFormat(QImage::Format_RGB32);
    const int cell = cells.width() / 2;
    canvas.DrawMasked(at.x(), at.y(), cells.copy(0, 0, cell, cells.height()),
                      cells.copy(cell, 0, cell, cells.height()));
}

void TsohoTextButton::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (!pressed_)
        savedLight_ = Light();
    pressed_ = true;
    SetLight(OppositeLight(savedLight_));
    update();
    TsohoCustomLabel::MouseDown(button, shift, x, y);
}

// A click handler may have disabled the button; its release then counts for nothing.
void TsohoTextButton::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (!isEnabled())
        return;
    Release();
    TsohoCustomLabel::MouseUp(button, shift, x, y);
}

void TsohoTextButton::Click() {
    PlayClickSound();
    if (!isWindow())
        ::SetModalResult(*window(), modalResult_);
    TsohoCustomLabel::Click();
}

// A button disabled while held never sees its release (About disables itself in its own
// click), so it lets go at once rather than stay drawn down until some later press.
void TsohoTextButton::EnabledChanged() {
    if (!isEnabled())
        Release();
    update();
}

void TsohoTextButton::PlayClickSound() {
    if (!sound_)
        return;
    if (clickSound_.startsWith(u'#'))
        sound_->PlayWaveResource(clickSound_.mid(1));
    else
        sound_->PlayWaveFile(clickSound_);
}

void TsohoTextButton::Release() {
    if (!pressed_)
        return;
    pressed_ = false;
    SetLight(savedLight_);
    update();
}

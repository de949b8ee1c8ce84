#include "controls/ColorGrid.h"

#include "runtime/Canvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

namespace {

// The grid shows the platform's default palette without its four light tints, so the editor
// can rely on the order: grid index 1 is maroon, 4 navy, 15 white.
TColor PaletteColor(int index) {
    Q_ASSERT(index >= 0 && index < 16);
    return FromQRgb(StandardPalette16()[index]);
}

// Each channel flipped to its far end, so the mark stands out on any of the 16 colours.
TColor ContrastColor(TColor color) {
    TColor contrast = 0;
    for (int shift = 0; shift < 24; shift += 8)
        if (((color >> shift) & 0xFF) < 0x80)
            contrast |= TColor{0xFF} << shift;
    return contrast;
}

QFont DefaultFont() {
    QFont font = QApplication::font();
    font.setPixelSize(11);
    return font;
}

} // namespace

TColorGrid::TColorGrid(QWidget* parent) : TControl(parent, Kind::Windowed), font_(DefaultFont()) {
    setFocusPolicy(Qt::NoFocus);
    SetBounds(0, 0, 100, 100);
}

void TColorGrid::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
    setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TColorGrid::SetGridOrdering(TGridOrdering ordering) {
    if (!Store(ordering_, ordering))
        return;
    SnapToCells();
    update();
}

void TColorGrid::SetSelection(int cell) {
    if (IsCell(cell) && Store(selection_, cell))
        update();
}

TColor TColorGrid::ForegroundColor() const {
    return PaletteColor(ForegroundIndex());
}

void TColorGrid::SetCtl3D(bool ctl3D) {
    if (Store(ctl3D_, ctl3D))
        update();
}

void TColorGrid::SetFont(const QFont& font) {
    if (Store(font_, font))
        update();
}

// At least one pixel, so that a control smaller than its grid still has cells to draw and hit.
int TColorGrid::CellWidth() const {
    return std::max(1, width() / Columns());
}

int TColorGrid::CellHeight() const {
    return std::max(1, height() / Rows());
}

QRect TColorGrid::CellRect(int cell) const {
    return QRect(cell % Columns() * CellWidth(), cell / Columns() * CellHeight(), CellWidth(),
                 CellHeight());
}

// Points outside the control, which arrive while a button pressed on it is held, give the
// nearest edge cell.
int TColorGrid::CellAt(int x, int y) const {
    const int column = std::clamp(x / CellWidth(), 0, Columns() - 1);
    const int row = std::clamp(y / CellHeight(), 0, Rows() - 1);
    return row * Columns() + column;
}

// The control always shrinks to a whole number of cells.
void TColorGrid::SnapToCells() {
    const QSize cells(CellWidth() * Columns(), CellHeight() * Rows());
    if (cells != size())
        resize(cells);
}

void TColorGrid::SetChoiceIndex(Role role, int index) {
    if (!IsCell(index) || index == choices_[role].index || !choices_[role].enabled)
        return;
    StoreChoiceIndex(role, index);
}

void TColorGrid::StoreChoiceIndex(Role role, int index) {
    choices_[role].index = index;
    update();
    if (OnChange)
        OnChange(*this);
}

void TColorGrid::SetChoiceEnabled(Role role, bool enabled) {
    if (enabled == choices_[role].enabled)
        return;
    choices_[role].enabled = enabled;
    update();
}

// A click that switches a disabled colour on always counts as a change, even on its old cell.
void TColorGrid::Pick(Role role, int cell) {
    Choice& choice = choices_[role];
    if (!choice.enabled && clickEnablesColor_) {
        choice.enabled = true;
        StoreChoiceIndex(role, cell);
    } else {
        SetChoiceIndex(role, cell);
    }
}

void TColorGrid::Press(Role role, int cell) {
    Pick(role, cell);
    SetSelection(cell);
    if (tabStop_)
        setFocus(Qt::MouseFocusReason);
}

void TColorGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    pressedButton_ = button;
    buttonDown_ = true;
    // Qt sends the moves to the grid while any button pressed on it is held, also outside its
    // bounds, so the background's buttons need no capture of their own.
    Press(button == Qt::LeftButton ? Foreground : Background, CellAt(x, y));
}

void TColorGrid::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    if (!buttonDown_)
        return;
    const int cell = CellAt(x, y);
    SetChoiceIndex(pressedButton_ == Qt::LeftButton ? Foreground : Background, cell);
    SetSelection(cell);
}

void TColorGrid::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TControl::MouseUp(button, shift, x, y);
    buttonDown_ = false;
}

TColorGrid::KeyCommand TColorGrid::CommandFor(int key, Qt::KeyboardModifiers shift) {
    // The keypad's 6 and 2 share their classic key codes with lower-case f and b, and pick too.
    const bool keypad = shift.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Space:
        return KeyCommand::Next;
    case Qt::Key_Left:
        return KeyCommand::Previous;
    case Qt::Key_Down:
        return KeyCommand::Down;
    case Qt::Key_Up:
        return KeyCommand::Up;
    case Qt::Key_Home:
        return KeyCommand::First;
    case Qt::Key_End:
        return KeyCommand::Last;
    case Qt::Key_F:
        return KeyCommand::PickForeground;
    case Qt::Key_B:
        return KeyCommand::PickBackground;
    case Qt::Key_6:
        return keypad ? KeyCommand::PickForeground : KeyCommand::None;
    case Qt::Key_2:
        return keypad ? KeyCommand::PickBackground : KeyCommand::None;
    default:
        return KeyCommand::None;
    }
}

// Left and Right walk the cells row by row, Up and Down column by column; each wraps into the
// neighbouring row or column and from the last cell round to the first.
int TColorGrid::MovedSelection(KeyCommand command) const {
    const int range = Columns() * Rows();
    const int columns = Columns();
    const int s = selection_;
    switch (command) {
    case KeyCommand::Next:
        return s == range - 1 ? 0 : s + 1;
    case KeyCommand::Previous:
        return s == 0 ? range - 1 : s - 1;
    case KeyCommand::Down:
        if (s + columns < range)
            return s + columns;
        return s == range - 1 ? 0 : s % columns + 1;
    case KeyCommand::Up:
        if (s >= columns)
            return s - columns;
        return s != 0 ? range - columns + s - 1 : range - 1;
    case KeyCommand::First:
        return 0;
    case KeyCommand::Last:
        return range - 1;
    default:
        return s;
    }
}

void TColorGrid::KeyDown(int& key, Qt::KeyboardModifiers shift) {
    TControl::KeyDown(key, shift);
    const KeyCommand command = CommandFor(key, shift);
    if (command == KeyCommand::None)
        return;
    key = 0;
    if (command == KeyCommand::PickForeground || command == KeyCommand::PickBackground) {
        Press(command == KeyCommand::PickForeground ? Foreground : Background, selection_);
        Click();
        return;
    }
    SetSelection(MovedSelection(command));
}

bool TColorGrid::event(QEvent* event) {
    // The grid's keys reach it before any of the window's shortcuts made of the same plain key.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain =
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && CommandFor(key->key(), key->modifiers()) != KeyCommand::None) {
            event->accept();
            return true;
        }
    }
    return TControl::event(event);
}

void TColorGrid::resizeEvent(QResizeEvent* event) {
    SnapToCells();
    TControl::resizeEvent(event);
}

// Reached from the keyboard, the cursor starts on the colour in use, so that F picks it again
// rather than a cell the mouse passed over long ago.
void TColorGrid::focusInEvent(QFocusEvent* event) {
    focused_ = true;
    const Qt::FocusReason reason = event->reason();
    // Tab, Backtab (a control before it disabled passes the focus on so) or an access key: the
    // cursor starts on the colour in use.
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason)
        SetSelection(PickedCell());
    update();
    TControl::focusInEvent(event);
}

void TColorGrid::focusOutEvent(QFocusEvent* event) {
    focused_ = false;
    update();
    TControl::focusOutEvent(event);
}

void TColorGrid::Paint(TCanvas& canvas) {
    canvas.SetFont(font_);
    for (int cell = 0; cell < kCells; ++cell)
        DrawCell(canvas, cell, false);
    // Drawn again over its plain self: the flat selector inverts what the cell drew.
    DrawCell(canvas, selection_, focused_);
    DrawMarks(canvas);
}

void TColorGrid::DrawCell(TCanvas& canvas, int cell, bool selector) const {
    QRect rect = CellRect(cell);
    const TColor color = PaletteColor(cell);
    canvas.SetPenColor(ctl3D_ ? color : clBlack);
    canvas.SetBrushColor(color);
    if (ctl3D_) {
        rect = canvas.DrawBevelRings(rect, 1, clBtnFace, clBtnFace);
        rect = canvas.DrawBevelRings(rect, 2, clBtnShadow, clBtnHighlight);
        canvas.Rectangle(rect);
        if (selector)
            canvas.DrawFocusRect(rect.adjusted(1, 1, -1, -1));
        return;
    }
    if (selector) {
        canvas.SetPenMode(TCanvas::TPenMode::pmNot);
        canvas.Rectangle(rect);
        canvas.SetPenMode(TCanvas::TPenMode::pmCopy);
        rect.adjust(2, 2, -2, -2);
    }
    canvas.Rectangle(rect);
}

// Centred in the whole cell and not clipped to it; the text's background stays transparent,
// which is how the canvas draws text.
void TColorGrid::DrawMarks(TCanvas& canvas) const {
    for (const Role role : {Foreground, Background}) {
        const Choice& choice = choices_[role];
        if (!choice.enabled)
            continue;
        canvas.SetFontColor(ContrastColor(PaletteColor(choice.index)));
        canvas.DrawText(CellRect(choice.index),
                        Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, MarkText(role));
    }
}

int TColorGrid::PickedCell() const {
    for (const Choice& choice : choices_)
        if (choice.enabled)
            return choice.index;
    return selection_;
}

QString TColorGrid::MarkText(Role role) const {
    const Choice& other = choices_[role == Foreground ? Background : Foreground];
    if (other.enabled && other.index == choices_[role].index)
        return QStringLiteral("FB");
    return role == Foreground ? QStringLiteral("FG") : QStringLiteral("BG");
}

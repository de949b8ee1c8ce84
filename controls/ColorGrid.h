#ifndef VARNEL_CONTROLS_COLORGRID_H
#define VARNEL_CONTROLS_COLORGRID_H

#include "runtime/Control.h"

#include <QFont>
#include <array>
#include <cstdint>

class QFocusEvent;
class QResizeEvent;

// The grid's layout: 16 >> ordinal cells across, 1 << ordinal cells down.
enum class TGridOrdering : std::uint8_t { go16x1, go8x2, go4x4, go2x8, go1x16 };

// Sixteen fixed colours in square cells, from which the user picks a foreground colour (marked
// "FG") and a background colour (marked "BG"; a cell that is both shows "FB"). `Selection` is a
// keyboard cursor over the cells, shown only while the grid has the focus.
class TColorGrid : public TControl {
    Q_OBJECT
public:
    explicit TColorGrid(QWidget* parent = nullptr);

    bool ClickEnablesColor() const { return clickEnablesColor_; }
    void SetClickEnablesColor(bool enables) { clickEnablesColor_ = enables; }
    TGridOrdering GridOrdering() const { return ordering_; }
    void SetGridOrdering(TGridOrdering ordering);
    // The index setters store nothing while their colour is disabled, and never an index
    // outside 0..15.
    int ForegroundIndex() const { return choices_[Foreground].index; }
    void SetForegroundIndex(int index) { SetChoiceIndex(Foreground, index); }
    int BackgroundIndex() const { return choices_[Background].index; }
    void SetBackgroundIndex(int index) { SetChoiceIndex(Background, index); }
    bool ForegroundEnabled() const { return choices_[Foreground].enabled; }
    void SetForegroundEnabled(bool enabled) { SetChoiceEnabled(Foreground, enabled); }
    bool BackgroundEnabled() const { return choices_[Background].enabled; }
    void SetBackgroundEnabled(bool enabled) { SetChoiceEnabled(Background, enabled); }
    int Selection() const { return selection_; }
    void SetSelection(int cell);
    // The colour of the foreground cell, 0x00BBGGRR.
    TColor ForegroundColor() const;
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool ctl3D);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    // With a tab stop Tab and a click give the grid the focus; without one a click only picks,
    // and Tab reaches the grid only where the window allows it (Qt::TabFocus), so that the
    // colours can still be picked from the keyboard.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);

    // Raised after ForegroundIndex or BackgroundIndex changed, whatever changed it.
    NotifyEvent OnChange;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum Role { Foreground, Background };
    struct Choice {
        int index = 0;
        bool enabled = true;
    };
    enum class KeyCommand {
        None,
        Next,
        Previous,
        Down,
        Up,
        First,
        Last,
        PickForeground,
        PickBackground
    };

    static constexpr int kCells = 16;
    static bool IsCell(int index) { return index >= 0 && index < kCells; }

    int Columns() const { return 16 >> static_cast<int>(ordering_); }
    int Rows() const { return 1 << static_cast<int>(ordering_); }
    int CellWidth() const;
    int CellHeight() const;
    QRect CellRect(int cell) const;
    int CellAt(int x, int y) const;
    void SnapToCells();

    void SetChoiceIndex(Role role, int index);
    void StoreChoiceIndex(Role role, int index);
    void SetChoiceEnabled(Role role, bool enabled);
    void Pick(Role role, int cell);
    void Press(Role role, int cell);

    static KeyCommand CommandFor(int key, Qt::KeyboardModifiers shift);
    int MovedSelection(KeyCommand command) const;

    void DrawCell(TCanvas& canvas, int cell, bool selector) const;
    void DrawMarks(TCanvas& canvas) const;
    QString MarkText(Role role) const;
    // The foreground cell, else the background cell, whichever is shown.
    int PickedCell() const;

    std::array<Choice, 2> choices_;
    int selection_ = 0;
    TGridOrdering ordering_ = TGridOrdering::go4x4;
    bool clickEnablesColor_ = false;
    bool ctl3D_ = true;
    bool focused_ = false;
    bool tabStop_ = false;
    QFont font_;
    Qt::MouseButton pressedButton_ = Qt::NoButton;
    bool buttonDown_ = false;
};

#endif

#include "controls/TextListBox.h"

#include <QEvent>

TTextListBox::TTextListBox(QWidget* parent) : TListBox(parent) {}

int TTextListBox::Add(const QString& line) {
    const int index = TListBox::Add(line);
    Widen(line);
    return index;
}

int TTextListBox::Insert(int index, const QString& line) {
    const int inserted = TListBox::Insert(index, line);
    Widen(line);
    return inserted;
}

// Only the widest line's going can narrow the range; the view is back at the left edge before
// it narrows, so that no line is left scrolled beyond it.
void TTextListBox::Delete(int index) {
    if (LineWidth(Line(index)) < widest_) {
        TListBox::Delete(index);
        return;
    }
    ScrollToLeft();
    TListBox::Delete(index);
    MeasureAll();
}

void TTextListBox::Clear() {
    widest_ = 0;
    SetHorizontalExtent(widest_);
    ScrollToLeft();
    TListBox::Clear();
}

int TTextListBox::LineWidth(const QString& line) const {
    return TextWidth(line + u'x');
}

void TTextListBox::changeEvent(QEvent* event) {
    TListBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        MeasureAll();
}

void TTextListBox::Widen(const QString& line) {
    widest_ = qMax(widest_, LineWidth(line));
    SetHorizontalExtent(widest_);
}

void TTextListBox::MeasureAll() {
    widest_ = 0;
    for (int i = 0; i < Count(); ++i)
        widest_ = qMax(widest_, LineWidth(Line(i)));
    SetHorizontalExtent(widest_);
}

#ifndef VARNEL_CONTROLS_TEXTLISTBOX_H
#define VARNEL_CONTROLS_TEXTLISTBOX_H

#include "runtime/ListBox.h"

// A list box whose sideways scrolling range is kept at the width of its widest line, one "x"
// wider for a margin, so that a line longer than the box can be scrolled into view. The range
// follows every line added, inserted, deleted or cleared and every change of font.
class TTextListBox : public TListBox {
    Q_OBJECT
public:
    explicit TTextListBox(QWidget* parent);

    int Add(const QString& line) override;
    int Insert(int index, const QString& line) override;
    void Delete(int index) override;
    void Clear() override;

    // How wide `line` measures in the box's font, its margin included.
    int LineWidth(const QString& line) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Widen(const QString& line);
    void MeasureAll();

    int widest_ = 0;
};

#endif

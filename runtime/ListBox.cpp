#include "runtime/ListBox.h"

#include "runtime/Control.h"
#include "runtime/Exception.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextOption>

namespace {

// Qt's own item look, in rows of the box's item height whatever the font asks for.
class TFixedHeightDelegate : public QStyledItemDelegate {
public:
    explicit TFixedHeightDelegate(TListBox& box) : QStyledItemDelegate(&box), box_(box) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const int margins = QStyledItemDelegate::sizeHint(option, index).width() -
                            item.fontMetrics.horizontalAdvance(item.text);
        return {box_.TextWidth(item.text) + margins, box_.ItemHeight()};
    }

    // The style draws the row, its selection and focus; the text goes with the box's tab stops.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = std::exchange(item.text, QString());
        QStyle& style = *box_.style();
        style.drawControl(QStyle::CE_ItemViewItem, &item, painter, &box_);
        item.text = text;
        const QRect area = style.subElementRect(QStyle::SE_ItemViewItemText, &item, &box_);
        const bool selected = item.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(item.font);
        box_.DrawLine(*painter, area, text);
        painter->restore();
    }

private:
    TListBox& box_;
};

} // namespace

TListBox::TListBox(QWidget* parent) : QListView(parent) {
    setModel(&lines_);
    setItemDelegate(new TFixedHeightDelegate(*this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setHorizontalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideNone);
}

QString TListBox::Line(int index) const {
    CheckIndex(index, Count());
    return lines_.index(index).data().toString();
}

int TListBox::Add(const QString& line) {
    return Insert(Count(), line);
}

int TListBox::Insert(int index, const QString& line) {
    CheckIndex(index, Count() + 1);
    lines_.insertRow(index);
    lines_.setData(lines_.index(index), line);
    return index;
}

void TListBox::Delete(int index) {
    CheckIndex(index, Count());
    lines_.removeRow(index);
}

void TListBox::Clear() {
    lines_.setStringList({});
}

void TListBox::AddLines(const QStringList& lines) {
    for (const QString& line : lines)
        Add(line);
}

void TListBox::SetTabWidth(int width) {
    if (Store(tabWidth_, width))
        scheduleDelayedItemsLayout();
}

int TListBox::TabStop() const {
    return tabWidth_ > 0 ? qRound(fontMetrics().horizontalAdvance(u'0') * tabWidth_ * 0.25) : 0;
}

// Qt would put a tab at its own stops; without the box's, a tab is drawn as a blank.
QString TListBox::AsDrawn(const QString& text) const {
    return TabStop() > 0 ? text : QString(text).replace(u'\t', u' ');
}

int TListBox::TextWidth(const QString& text) const {
    const int stop = TabStop();
    if (stop == 0)
        return fontMetrics().horizontalAdvance(AsDrawn(text));
    return fontMetrics().size(Qt::TextSingleLine | Qt::TextExpandTabs, text, stop).width();
}

void TListBox::DrawLine(QPainter& painter, const QRect& area, const QString& text) const {
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setWrapMode(QTextOption::NoWrap);
    const int stop = TabStop();
    if (stop > 0)
        layout.setTabStopDistance(stop);
    painter.drawText(area, AsDrawn(text), layout);
}

void TListBox::SetItemHeight(int height) {
    if (Store(itemHeight_, height))
        scheduleDelayedItemsLayout();
}

void TListBox::SetHorizontalExtent(int extent) {
    if (Store(horizontalExtent_, extent))
        updateGeometries();
}

void TListBox::ScrollToLeft() {
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

// Qt sizes the sideways range from what the lines measure; the box's own extent replaces it.
// Qt's passing range must not clamp where the view stands either.
void TListBox::updateGeometries() {
    QScrollBar& bar = *horizontalScrollBar();
    const int scrolled = bar.value();
    QListView::updateGeometries();
    const int visible = viewport()->width();
    bar.setPageStep(visible);
    bar.setSingleStep(qMax(1, fontMetrics().averageCharWidth()));
    bar.setRange(0, qMax(0, horizontalExtent_ - visible));
    bar.setValue(scrolled);
}

void TListBox::CheckIndex(int index, int end) const {
    if (index < 0 || index >= end)
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
}

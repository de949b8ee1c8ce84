#ifndef VARNEL_RUNTIME_LISTBOX_H
#define VARNEL_RUNTIME_LISTBOX_H

#include <QListView>
#include <QStringListModel>

// The platform's single-column list box of text lines: Qt's list view over lines the box keeps,
// each ItemHeight pixels high. How far it scrolls sideways is not worked out from the lines but
// set by its owner (HorizontalExtent, in pixels); the horizontal scroll bar shows only while that
// range is wider than the visible part.
//
// The lines change only through Add, Insert, Delete and Clear, so that a derived box that
// overrides them sees every change; each override lets the base make the change.
class TListBox : public QListView {
    Q_OBJECT
public:
    explicit TListBox(QWidget* parent);

    int Count() const { return lines_.rowCount(); }
    // Line `index` (0..Count() - 1).
    QString Line(int index) const;
    // Appends `line`; returns its index.
    virtual int Add(const QString& line);
    // Puts `line` before line `index` (Count() appends); returns its index.
    virtual int Insert(int index, const QString& line);
    virtual void Delete(int index);
    virtual void Clear();
    // Every line of `lines` added in turn, after those there are.
    void AddLines(const QStringList& lines);

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    // Tab stops, in quarters of the width of a "0"; at 0 or less a tab is no more than a blank.
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);
    // How wide `text` is drawn in the box's font, tabs as TabWidth has them.
    int TextWidth(const QString& text) const;
    // `text` laid out in one line in `area` of `painter`, as the box shows its lines.
    void DrawLine(QPainter& painter, const QRect& area, const QString& text) const;
    int HorizontalExtent() const { return horizontalExtent_; }
    void SetHorizontalExtent(int extent);
    // Back to the lines' left edge.
    void ScrollToLeft();

protected:
    void updateGeometries() override;

private:
    // The distance between tab stops in pixels; 0 without stops.
    int TabStop() const;
    // `text` with whatever the stops do not expand made plain.
    QString AsDrawn(const QString& text) const;
    // Throws unless `index` is at least 0 and less than `end`.
    void CheckIndex(int index, int end) const;

    QStringListModel lines_;
    int itemHeight_ = 16;
    int tabWidth_ = 0;
    int horizontalExtent_ = 0;
};

#endif

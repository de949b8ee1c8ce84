#ifndef VARNEL_CONTROLS_URLLABEL_H
#define VARNEL_CONTROLS_URLLABEL_H

#include "controls/ProLabel.h"
#include "runtime/Cursors.h"

// A windowless link: an underlined caption, blue until followed and navy after, red while held
// with the pointer over it, under a pointing hand. A press and release over it, with any button,
// hands URL (or the caption when URL is empty) unchanged to the desktop to be opened; so do Space
// and Enter when Tab has brought the focus to it. It can be turned, shifted and shadowed like any
// label.
class TProUrlLabel : public TProLabel {
    Q_OBJECT
public:
    explicit TProUrlLabel(QWidget* parent);

    const QString& URL() const { return url_; }
    // Opens the link as a click on it does, and marks it followed.
    void Follow();
    void SetURL(const QString& url) { url_ = url; }
    // The caption's colour is always the font colour; setting the font colour also sets the
    // colour of the state the link is in (visited or not), and these setters the reverse. While
    // the link is held the font colour is not copied back: the current state's colour then
    // shows at once in place of ActivatedColor and is not kept.
    TColor UnvisitedColor() const { return unvisitedColor_; }
    void SetUnvisitedColor(TColor color);
    TColor VisitedColor() const { return visitedColor_; }
    void SetVisitedColor(TColor color);
    TColor ActivatedColor() const { return activatedColor_; }
    void SetActivatedColor(TColor color) { activatedColor_ = color; }
    bool Visited() const { return visited_; }
    // A TCursor number.
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor);

protected:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void FontColorChanged() override;

private:
    TColor StateColor() const { return visited_ ? visitedColor_ : unvisitedColor_; }
    // The right and bottom edge lines count as inside.
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x <= width() && y <= height(); }

    QString url_;
    TColor unvisitedColor_ = clBlue;
    TColor visitedColor_ = clNavy;
    TColor activatedColor_ = clRed;
    int cursor_ = crProHandPoint;
    bool visited_ = false;
    bool pressed_ = false;
};

#endif

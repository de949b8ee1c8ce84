#ifndef VARNEL_EDITOR_EDITHISTORY_H
#define VARNEL_EDITOR_EDITHISTORY_H

#include "editor/EditState.h"

#include <deque>

// The window's states, oldest first, and which of them it shows. Recording after an undo drops
// the states that redo would have brought back. The oldest states go once there are more than
// MaxSteps steps, or once the pictures they hold pass MaxBytes; a logo of the editor's own size
// always keeps all MaxSteps.
class TEditHistory {
public:
    static constexpr int MaxSteps = 100;
    static constexpr qint64 MaxBytes = qint64(256) << 20;

    // The first call records the starting state, with nothing to undo.
    void Record(TEditState state);
    bool Empty() const { return states_.empty(); }
    const TEditState& Current() const { return states_.at(current_); }
    // The state an undo or a redo would show; nothing when there is none.
    const TEditState* Before() const;
    const TEditState* After() const;
    void StepBack();
    void StepForward();
    int UndoSteps() const { return int(current_); }
    int RedoSteps() const { return int(states_.size() - 1 - current_); }

private:
    qint64 PictureBytes() const;

    std::deque<TEditState> states_;
    std::size_t current_ = 0;
};

#endif

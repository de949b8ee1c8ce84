#include "editor/EditHistory.h"

#include <unordered_set>

void TEditHistory::Record(TEditState state) {
    if (!states_.empty())
        states_.erase(states_.begin() + std::ptrdiff_t(current_) + 1, states_.end());
    states_.push_back(std::move(state));
    while (states_.size() > 2 && (states_.size() > MaxSteps + 1 || PictureBytes() > MaxBytes))
        states_.pop_front();
    current_ = states_.size() - 1;
}

const TEditState* TEditHistory::Before() const {
    return current_ > 0 ? &states_[current_ - 1] : nullptr;
}

const TEditState* TEditHistory::After() const {
    return current_ + 1 < states_.size() ? &states_[current_ + 1] : nullptr;
}

void TEditHistory::StepBack() {
    if (current_ > 0)
        --current_;
}

void TEditHistory::StepForward() {
    if (current_ + 1 < states_.size())
        ++current_;
}

// What the held pictures take at four bytes a pixel, each shared picture counted once.
qint64 TEditHistory::PictureBytes() const {
    std::unordered_set<const TGraphic*> counted;
    qint64 bytes = 0;
    for (const TEditState& state : states_)
        for (const TGraphic* picture : {state.drawing.get(), state.preview.get()})
            if (picture && counted.insert(picture).second)
                bytes += qint64(picture->Width()) * picture->Height() * 4;
    return bytes;
}

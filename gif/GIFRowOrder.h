#ifndef VARNEL_GIF_GIFROWORDER_H
#define VARNEL_GIF_GIFROWORDER_H

// The order in which a GIF image stores its rows: top to bottom, or the four interlaced passes
// (start rows 0, 4, 2, 1; steps 8, 8, 4, 2), a pass that would start at or past the bottom being
// skipped.
class TGIFRowOrder {
public:
    TGIFRowOrder(int height, bool interlaced) : height_(height), interlaced_(interlaced) {}

    bool Done() const { return row_ >= height_; }
    int Row() const { return row_; }
    void Next() {
        if (!interlaced_) {
            ++row_;
            return;
        }
        row_ += kStep[pass_];
        while (row_ >= height_ && pass_ < 3)
            row_ = kStart[++pass_];
    }

private:
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};

    int height_;
    bool interlaced_;
    int row_ = 0;
    int pass_ = 0;
};

#endif

#ifndef VARNEL_GIF_PICTURECONTROL_H
#define VARNEL_GIF_PICTURECONTROL_H

#include "runtime/Control.h"

#include <mutex>

// The base of the windowless controls that show a picture which may change off the GUI thread:
// a re-entrant lock that every paint holds, so that a paint never sees a picture half changed,
// and a size taken from the picture on request. A new control is 105 × 105 and takes its
// parent's colour.
class TPictureControl : public TControl {
    Q_OBJECT
public:
    explicit TPictureControl(QWidget* parent);

    // While the window that holds the control is being put together its stored size stands:
    // the picture's size is not taken.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

protected:
    // Takes the picture's size when the control wants it.
    virtual void AdjustSize() {}
    // Paints the picture into `canvas`, which covers the client area and starts see-through;
    // the lock is held.
    virtual void PaintPicture(TCanvas& canvas) = 0;
    // After a change of what is shown: the size is adjusted and the control repainted (nothing
    // while the control is being destroyed).
    void RefreshPicture();
    // The descendant's destructor sets this first.
    void SetDestroying() { destroying_ = true; }

    void Paint(TCanvas& canvas) final;

    std::recursive_mutex lock_;

private:
    bool loading_ = false;
    bool destroying_ = false;
};

#endif

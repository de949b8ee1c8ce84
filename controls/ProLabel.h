#ifndef VARNEL_CONTROLS_PROLABEL_H
#define VARNEL_CONTROLS_PROLABEL_H

#include "controls/ProCustomLabel.h"

// The label a window places: left-aligned at the top, auto-sized, opaque, "&" marking the
// access key, with every extra of its base at hand.
class TProLabel : public TProCustomLabel {
    Q_OBJECT
public:
    explicit TProLabel(QWidget* parent) : TProCustomLabel(parent) {}
};

#endif

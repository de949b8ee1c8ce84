#ifndef VARNEL_RUNTIME_LABEL_H
#define VARNEL_RUNTIME_LABEL_H

#include "runtime/CustomLabel.h"

// The plain text label a window places, with every property of the label base.
class TLabel : public TCustomLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent) : TCustomLabel(parent) {}
};

#endif

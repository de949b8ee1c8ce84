#ifndef VARNEL_RUNTIME_PROGRESSBAR_H
#define VARNEL_RUNTIME_PROGRESSBAR_H

#include <QProgressBar>

// The platform progress bar with the classic step: a step past the maximum starts the bar over
// from its minimum rather than sticking at the end.
class TProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit TProgressBar(QWidget* parent = nullptr) : QProgressBar(parent) {}

    int Step() const { return step_; }
    void SetStep(int step) { step_ = step; }
    void StepIt();

private:
    int step_ = 10;
};

#endif

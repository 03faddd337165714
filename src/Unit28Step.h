#pragma once
// One step of the window's history, begun when made and ended when it goes,
// however the handler that makes it returns.

#include "Unit28.h"

class TForm28::Step {
public:
    explicit Step(TForm28& form);
    ~Step();
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

    // A clear: the stored curves leave the table, kept by the step.
    void removeCurves();

private:
    TForm28& form_;
};

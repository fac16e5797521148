// Common ground of fonts, brushes and pens: a change notice for whoever uses them (a canvas
// reselects, a control repaints), and a notice before the GDI handle dies.
#pragma once

#include "framework/base/object.h"

#include <functional>

namespace orvo {

class TGraphicsObject : public TPersistent {
    ORVO_CLASS(TGraphicsObject, TPersistent)
public:
    TNotifyEvent OnChange;
    // Called before the handle is deleted, so that a DC holding it can select it out first.
    std::function<void()> OnHandleFreeing;

protected:
    // Drops the cached handle and tells the listener.
    void Changed() {
        if (OnHandleFreeing) OnHandleFreeing();
        FreeHandle();
        Notify();
    }
    // A change that leaves the handle as it is (a colour the canvas applies itself).
    void Notify() {
        if (OnChange) OnChange(this);
    }
    virtual void FreeHandle() = 0;
};

} // namespace orvo

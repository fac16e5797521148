// Common ground of fonts, brushes and pens: a change notice for whoever uses them (a canvas
// reselects, a control repaints).
#pragma once

#include <functional>

namespace orvo {

class TGraphicsObject {
public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;
    virtual ~TGraphicsObject() = default;

    std::function<void()> OnChange;
    // Called before the handle is deleted, so that a DC holding it can select it out first.
    std::function<void()> OnHandleFreeing;

protected:
    // Drops the cached handle and tells the listener.
    void Changed() {
        if (OnHandleFreeing) OnHandleFreeing();
        FreeHandle();
        if (OnChange) OnChange();
    }
    virtual void FreeHandle() = 0;
};

} // namespace orvo

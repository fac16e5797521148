// Group boxes: a container drawn as an etched frame with its caption set into the top edge. The
// caption's mnemonic focuses the first control inside.
#pragma once

#include "framework/controls/win_control.h"

namespace orvo {

class TCustomGroupBox : public TCustomControl {
    ORVO_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
};

class TGroupBox : public TCustomGroupBox {
    ORVO_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* owner);
    static void Publish(TPublisher<TGroupBox>& p);
};

} // namespace orvo

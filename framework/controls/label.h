// TLabel: a line (or, with WordWrap, a block) of text drawn on its parent. AutoSize fits the
// control to the text; Transparent lets the parent show through; "&" marks a mnemonic that
// focuses FocusControl.
#pragma once

#include "framework/controls/graphic_control.h"

namespace orvo {

class TWinControl;

enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
const TEnumType& TextLayoutType();

class TCustomLabel : public TGraphicControl {
    ORVO_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    bool AutoSize() const noexcept { return FAutoSize; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const noexcept { return FLayout; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const noexcept { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const noexcept { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const noexcept { return FFocusControl; }
    void SetFocusControl(TWinControl* control);

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // The DrawText flags of the label's settings.
    UINT TextFlags() const;
    // Fits the bounds to the text (when AutoSize), keeping the edge the alignment anchors.
    void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    ORVO_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* owner);
    static void Publish(TPublisher<TLabel>& p);
};

} // namespace orvo

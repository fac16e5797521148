// Multi-line edits. Lines is a TStrings bound to the control (memo_strings.h); WordWrap wraps at
// the control's width (lines stay the text's own lines); ScrollBars; WantReturns and WantTabs
// decide whether Enter and Tab type into the memo or act on the form.
#pragma once

#include "framework/controls/edit.h"
#include "framework/controls/memo_strings.h"

#include <memory>

namespace orvo {

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumType& ScrollStyleType();

// What the multi-line edits share (memo, rich edit): the window styles of ScrollBars and
// WordWrap, and the answer to WM_GETDLGCODE for WantTabs and WantReturns (after the control's).
void AddMultiLineStyles(TCreateParams& params, TScrollStyle scrollBars, bool wordWrap);
void ApplyWantedKeys(TMessage& getDlgCode, bool wantTabs, bool wantReturns);

class TCustomMemo : public TCustomEdit {
    ORVO_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() noexcept { return FLines.get(); }
    void SetLines(TStrings* lines);
    TScrollStyle ScrollBars() const noexcept { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const noexcept { return FWordWrap; }
    void SetWordWrap(bool value);
    bool WantReturns() const noexcept { return FWantReturns; }
    void SetWantReturns(bool value) noexcept { FWantReturns = value; }
    bool WantTabs() const noexcept { return FWantTabs; }
    void SetWantTabs(bool value) noexcept { FWantTabs = value; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
    ORVO_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* owner);
    static void Publish(TPublisher<TMemo>& p);
};

} // namespace orvo

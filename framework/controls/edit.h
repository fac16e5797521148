// Single-line edits over the native EDIT class. Text is the window's text; OnChange follows every
// change (EN_CHANGE, reflected as CN_COMMAND); OnKeyPress sees each typed character first and may
// change it, swallow it (set it to 0) or end the key press with Abort() (swallowed too).
#pragma once

#include "framework/controls/control_publish.h"
#include "framework/controls/win_control.h"

namespace orvo {

class TCustomEdit : public TWinControl {
    ORVO_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // The most characters the user can type; 0 for no limit.
    int MaxLength() const noexcept { return FMaxLength; }
    void SetMaxLength(int length);
    bool ReadOnly() const noexcept { return FReadOnly; }
    void SetReadOnly(bool value);
    // Shown for every character when not 0.
    wchar_t PasswordChar() const noexcept { return FPasswordChar; }
    void SetPasswordChar(wchar_t ch);
    bool HideSelection() const noexcept { return FHideSelection; }
    void SetHideSelection(bool value);
    // Entering a single-line edit with the keyboard selects its whole text.
    bool AutoSelect() const noexcept { return FAutoSelect; }
    void SetAutoSelect(bool value) noexcept { FAutoSelect = value; }
    // The user changed the text since the last SetModified(false) (or since the window was made).
    bool Modified() const;
    void SetModified(bool value);

    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    std::wstring SelText() const;
    void SetSelText(const std::wstring& text);
    void SelectAll();
    void Clear() { SetText(std::wstring()); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    virtual void Change();
    void DoEnter() override;

private:
    TBorderStyle FBorderStyle = bsSingle;
    int FMaxLength = 0;
    bool FReadOnly = false;
    wchar_t FPasswordChar = 0;
    bool FHideSelection = true;
    bool FAutoSelect = true;
};

class TEdit : public TCustomEdit {
    ORVO_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner);
    static void Publish(TPublisher<TEdit>& p);
};

// The edit's properties under their common names, for the edit classes.
template <class T> void PublishEditProperties(TPublisher<T>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"BorderStyle", BorderStyleType(), &T::BorderStyle, &T::SetBorderStyle);
    p.Integer(L"MaxLength", &T::MaxLength, &T::SetMaxLength);
    p.Boolean(L"ReadOnly", &T::ReadOnly, &T::SetReadOnly);
    p.Boolean(L"HideSelection", &T::HideSelection, &T::SetHideSelection);
    p.Boolean(L"AutoSelect", &T::AutoSelect, &T::SetAutoSelect);
    p.Event(L"OnChange", &T::OnChange);
}

} // namespace orvo

// Up-down arrow pairs (the platform's msctls_updown32) and the spin edit built on one.
//
// Classes in this file:
//   TUpDown    the arrows: Position in Min..Max stepped by Increment, Orientation, Wrap,
//              ArrowKeys; an Associate control whose text follows the position (the platform
//              writes it and reads it back when the arrows are used)
//   TSpinEdit  an edit with its own arrows inside it: Value in MinValue..MaxValue
//
// TUpDown events from the user: OnChanging before each step (the handler may refuse it), then
// OnClick with the arrow that was pressed. With AlignButton the platform places the arrows beside
// the associate and narrows it by their width; the narrowing is undone before the arrows are
// attached again (re-creation, another associate), so the associate never shrinks twice.
//
// TSpinEdit's arrows are a TUpDown child window of the edit placed with ParentWindow: they are
// in no Controls list or tab order, and the edit keeps its text clear of them. Only digits and a
// leading minus can be typed; the text is brought into range when the edit loses the focus.
// MinValue = MaxValue means no limits.
#pragma once

#include "framework/controls/edit.h"

namespace orvo {

enum TUDAlignButton : std::uint8_t { udLeft, udRight };
const TEnumType& UDAlignButtonType();
enum TUDOrientation : std::uint8_t { udHorizontal, udVertical };
const TEnumType& UDOrientationType();
enum TUDBtnType : std::uint8_t { btNext, btPrev };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TUpDown : public TWinControl {
    ORVO_CLASS(TUpDown, TWinControl)
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    TWinControl* Associate() const noexcept { return FAssociate; }
    void SetAssociate(TWinControl* control);
    int Min() const noexcept { return FMin; }
    void SetMin(int value);
    int Max() const noexcept { return FMax; }
    void SetMax(int value);
    // Kept in the range (Min may exceed Max: the arrows then count the other way).
    int Position() const;
    void SetPosition(int value);
    int Increment() const noexcept { return FIncrement; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const noexcept { return FOrientation; }
    void SetOrientation(TUDOrientation value);
    TUDAlignButton AlignButton() const noexcept { return FAlignButton; }
    void SetAlignButton(TUDAlignButton value);
    bool Wrap() const noexcept { return FWrap; }
    void SetWrap(bool value);
    // The associate's Up and Down (Left and Right) keys step the position.
    bool ArrowKeys() const noexcept { return FArrowKeys; }
    void SetArrowKeys(bool value);
    // Thousands separators in the associate's text.
    bool Thousands() const noexcept { return FThousands; }
    void SetThousands(bool value);

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

    static void Publish(TPublisher<TUpDown>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    virtual bool CanChange();
    virtual void ArrowClick(TUDBtnType button);

private:
    friend class TSpinEdit;

    HWND Window() const;
    void AttachBuddy();
    void UndoBuddyNarrowing();
    void ApplyRange();
    int ClampPosition(int value) const noexcept;

    TWinControl* FAssociate = nullptr;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TUDOrientation FOrientation = udVertical;
    TUDAlignButton FAlignButton = udRight;
    bool FWrap = false;
    bool FArrowKeys = true;
    bool FThousands = true;
    // Arrows inside their associate (TSpinEdit): the platform must not move them.
    bool FInsideAssociate = false;
    int FLastDelta = 0;
    // How much the platform narrowed the associate when aligning the arrows to it.
    int FNarrowedBy = 0;
};

class TSpinEdit : public TCustomEdit {
    ORVO_CLASS(TSpinEdit, TCustomEdit)
public:
    explicit TSpinEdit(TComponent* owner);

    int MinValue() const noexcept { return FMinValue; }
    void SetMinValue(int value);
    int MaxValue() const noexcept { return FMaxValue; }
    void SetMaxValue(int value);
    // The text's number, in range; text that is no number counts as MinValue.
    int Value() const;
    void SetValue(int value);
    int Increment() const noexcept { return FIncrement; }
    void SetIncrement(int value);
    // The arrows.
    TUpDown* Button() const noexcept { return FButton; }

    static void Publish(TPublisher<TSpinEdit>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void KeyPress(wchar_t& key) override;
    void DoExit() override;
    void Loaded() override;
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    int CheckValue(int value) const noexcept;
    void PlaceButton();
    void ApplyRange();

    TUpDown* FButton;
    int FMinValue = 0;
    int FMaxValue = 0;
    int FIncrement = 1;
};

} // namespace orvo

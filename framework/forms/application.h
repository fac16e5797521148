// TApplication: the program's message loop, its forms, its title and icon, message boxes, the
// report of exceptions that escape event handlers, and the hints.
//
// `Application` is the one instance. A program does:
//
//     Application->Initialize();
//     Application->SetTitle(L"...");
//     Application->CreateForm(fMainWin); // the first form created becomes MainForm
//     Application->Run();                // until the main form closes or Terminate
//
// Forms created with CreateForm are owned by the application and freed when Run returns.
// The application owns a hidden window (Handle, class "TApplication") that owns the forms'
// windows and answers WM_GETICON with the application icon.
//
// Keys: the MDI keys (Ctrl+F4, Ctrl+F6, Ctrl+Tab) go to an MDI frame's active child first
// (TranslateMDISysAccel); then, before a key message is dispatched, the focused framework control gets it as CN_KEYDOWN,
// CN_CHAR, ... (menu shortcuts, dialog keys, mnemonics; see win_control.h).
//
// Hints: when the pointer rests HintPause ms on a control with a Hint and ShowHint, the short part
// of the hint shows in a hint window below the pointer for HintHidePause ms; moving to another
// control with a hint while one shows switches after HintShortPause ms. Pressing a key or a mouse
// button hides it.
#pragma once

#include "framework/base/component.h"
#include "framework/graphics/color.h"
#include "framework/forms/forms.h"

#include <exception>
#include <functional>
#include <string>
#include <windows.h>

namespace orvo {

class THintWindow;

using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception_ptr& E)>;

class TApplication : public TComponent {
    ORVO_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Installs the exception report and the common controls.
    void Initialize();

    // The hidden application window, created on first use.
    HWND Handle();
    bool HandleAllocated() const noexcept { return FHandle != nullptr; }
    // The caption of message boxes without one; by default the program's file name.
    const std::wstring& Title() const noexcept { return FTitle; }
    void SetTitle(const std::wstring& title);
    // The program's icon (the resource MAINICON, else its first icon, else the system's) at the
    // large and small sizes. SetIcon's handles stay the caller's.
    HICON Icon();
    HICON SmallIcon();
    void SetIcon(HICON icon, HICON smallIcon);

    TCustomForm* MainForm() const noexcept { return FMainForm; }
    // Creates a form of class T owned by the application; `reference` points at it while its
    // OnCreate runs. The first form created becomes MainForm.
    template <class T> void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        try {
            form->AfterConstruction();
        } catch (...) {
            reference = nullptr;
            delete form;
            throw;
        }
        if (!FMainForm) FMainForm = form;
    }

    // Shows the main form and handles messages until it closes or Terminate; then frees the forms
    // the application owns. Returns at once without a main form.
    void Run();
    // Ends the message loop (posts WM_QUIT).
    void Terminate();
    bool Terminated() const noexcept { return FTerminated; }
    // Handles every waiting message.
    void ProcessMessages();
    // Handles one message, or waits for one when there is none (after OnIdle).
    void HandleMessage();

    // A modal message box; an empty caption means Title. Its owner is the active form.
    int MessageBox(const std::wstring& text, const std::wstring& caption = {}, UINT flags = MB_OK);
    // The standard report of an exception (OnException, or a message box with its message).
    void ShowException(const std::exception_ptr& error);

    bool ShowHint() const noexcept { return FShowHint; }
    void SetShowHint(bool value);
    int HintPause() const noexcept { return FHintPause; }
    void SetHintPause(int ms) noexcept { FHintPause = ms; }
    int HintHidePause() const noexcept { return FHintHidePause; }
    void SetHintHidePause(int ms) noexcept { FHintHidePause = ms; }
    int HintShortPause() const noexcept { return FHintShortPause; }
    void SetHintShortPause(int ms) noexcept { FHintShortPause = ms; }
    TColor HintColor() const noexcept { return FHintColor; }
    void SetHintColor(TColor color) noexcept { FHintColor = color; }
    // The long hint of what the pointer is on (a control, a menu item), for status lines.
    const std::wstring& Hint() const noexcept { return FHint; }
    void SetHint(const std::wstring& hint);
    void CancelHint();
    // The hint window, while a hint is or was shown.
    THintWindow* HintWindow() const noexcept { return FHintWindow; }

    // Frees a form from the application's window once the messages now waiting are handled
    // (TCustomForm::Release); nothing happens if it is gone by then.
    void FreeLater(TCustomForm* form);

    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TExceptionEvent OnException;
    TNotifyEvent OnHint;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void MouseControlChanged(TControl* previous, TControl* current);
    bool ProcessMessage(MSG& msg);
    bool IsMDIMsg(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    void Idle();
    void StartHintTimer(TControl* control);
    void ShowHintNow();
    void LoadIcons();

    HWND FHandle = nullptr;
    std::wstring FTitle;
    HICON FIcon = nullptr;
    HICON FSmallIcon = nullptr;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowHint = true;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    int FHintShortPause = 50;
    TColor FHintColor = clInfoBk;
    std::wstring FHint;
    THintWindow* FHintWindow = nullptr;
    TControl* FHintControl = nullptr; // the control the hint timer is for, or that shows a hint
    bool FHintShowing = false;
};

extern TApplication* const Application;

// "short|long" hint texts: the part before the first "|", and the part after it (the whole text
// when there is no "|").
std::wstring GetShortHint(const std::wstring& hint);
std::wstring GetLongHint(const std::wstring& hint);

} // namespace orvo

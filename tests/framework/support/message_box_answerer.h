// Answers the message boxes (and other "#32770" dialog boxes) a test provokes: a WH_CBT hook on
// the test's thread records each box's text, caption and flags when it is activated and presses
// the button the test chose. Install it around the code that shows boxes:
//
//     test::TMessageBoxAnswerer boxes(IDYES);
//     form->btnSplitNow->Click();
//     ASSERT_EQ(boxes.Count(), 1);
//     EXPECT_EQ(boxes[0].Text, L"...");
//
// The flags are read back from the box: its buttons (MB_OK, MB_YESNO, ...) and its icon
// (MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK). A box without the chosen
// button gets its first button pressed instead, so a test never hangs on a box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvo::test {

struct TMessageBoxRecord {
    std::wstring Text;
    std::wstring Caption;
    UINT Flags = 0;
    HWND Owner = nullptr;
    int Pressed = 0;
};

class TMessageBoxAnswerer {
public:
    explicit TMessageBoxAnswerer(int button = IDOK) : FButton(button) {
        FPrevious = Current();
        Current() = this;
        FHook = SetWindowsHookExW(WH_CBT, &TMessageBoxAnswerer::Hook, nullptr, GetCurrentThreadId());
    }
    ~TMessageBoxAnswerer() {
        if (FHook) UnhookWindowsHookEx(FHook);
        Current() = FPrevious;
    }
    TMessageBoxAnswerer(const TMessageBoxAnswerer&) = delete;
    TMessageBoxAnswerer& operator=(const TMessageBoxAnswerer&) = delete;

    // The button pressed in the boxes from now on (IDOK, IDYES, IDNO, ...).
    void SetButton(int button) { FButton = button; }
    int Count() const { return static_cast<int>(FBoxes.size()); }
    const TMessageBoxRecord& operator[](int i) const { return FBoxes.at(static_cast<std::size_t>(i)); }
    const std::vector<TMessageBoxRecord>& Boxes() const { return FBoxes; }

private:
    static TMessageBoxAnswerer*& Current() {
        static TMessageBoxAnswerer* current = nullptr;
        return current;
    }

    static std::wstring TextOf(HWND window) {
        wchar_t buffer[4096] = {};
        GetWindowTextW(window, buffer, 4096);
        return buffer;
    }

    static bool IsStatic(HWND window) {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        return lstrcmpiW(name, L"Static") == 0;
    }

    static UINT ButtonFlags(HWND box) {
        const auto has = [box](int id) { return GetDlgItem(box, id) != nullptr; };
        if (has(IDABORT) && has(IDRETRY) && has(IDIGNORE)) return MB_ABORTRETRYIGNORE;
        if (has(IDYES) && has(IDNO)) return has(IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
        if (has(IDRETRY) && has(IDCANCEL)) return MB_RETRYCANCEL;
        if (has(IDOK) && has(IDCANCEL)) return MB_OKCANCEL;
        return MB_OK;
    }

    static UINT IconFlags(HWND box) {
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsStatic(child) || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (!icon) continue;
            if (icon == LoadIconW(nullptr, IDI_HAND)) return MB_ICONHAND;
            if (icon == LoadIconW(nullptr, IDI_QUESTION)) return MB_ICONQUESTION;
            if (icon == LoadIconW(nullptr, IDI_EXCLAMATION)) return MB_ICONEXCLAMATION;
            if (icon == LoadIconW(nullptr, IDI_ASTERISK)) return MB_ICONASTERISK;
        }
        return 0;
    }

    // The message is the static text control with id 0xFFFF, else the longest static text.
    static std::wstring MessageText(HWND box) {
        if (HWND text = GetDlgItem(box, 0xFFFF)) return TextOf(text);
        std::wstring longest;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsStatic(child) && TextOf(child).size() > longest.size()) longest = TextOf(child);
        return longest;
    }

    void Answer(HWND box) {
        TMessageBoxRecord record;
        record.Text = MessageText(box);
        record.Caption = TextOf(box);
        record.Flags = ButtonFlags(box) | IconFlags(box);
        record.Owner = GetWindow(box, GW_OWNER);
        int button = FButton;
        if (!GetDlgItem(box, button)) {
            for (int id : {IDOK, IDYES, IDRETRY, IDABORT, IDCANCEL, IDNO, IDIGNORE})
                if (GetDlgItem(box, id)) {
                    button = id;
                    break;
                }
        }
        record.Pressed = button;
        FBoxes.push_back(record);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        TMessageBoxAnswerer* self = Current();
        if (self && code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == self->FLastBox)
            self->FLastBox = nullptr;
        if (self && code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wParam);
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32770" && window != self->FLastBox) {
                self->FLastBox = window;
                self->Answer(window);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    int FButton;
    HHOOK FHook = nullptr;
    HWND FLastBox = nullptr;
    TMessageBoxAnswerer* FPrevious = nullptr;
    std::vector<TMessageBoxRecord> FBoxes;
};

} // namespace orvo::test

// Bare windows taken over by TWindowSubclass: messages reach the method, what it passes on reaches
// the window's own procedure, and detaching (in any order, or after the window died) leaves the
// window exactly as it was. Also the window-to-control property of framework windows.
#include "framework/base/exceptions.h"
#include "framework/forms/forms.h"
#include "framework/window/subclass.h"
#include "framework/window/window_property.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

constexpr UINT WM_PROBE = WM_APP + 7;

std::vector<UINT> OriginalSaw;

LRESULT CALLBACK OriginalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PROBE) {
        OriginalSaw.push_back(message);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK OriginalProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &OriginalProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvoSubclassTest";
        return RegisterClassExW(&wc);
    }();
    EXPECT_NE(atom, 0);
    OriginalSaw.clear();
    return CreateWindowExW(0, L"OrvoSubclassTest", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

WNDPROC CurrentProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

// A subclasser that answers WM_PROBE with `answer` when `consume`, and logs what it saw.
struct TProbe {
    TWindowSubclass Subclass;
    std::vector<UINT> Saw;
    LRESULT Answer;
    bool Consume = true;
    explicit TProbe(LRESULT answer) : Answer(answer) {}
    bool Attach(HWND window) {
        return Subclass.Attach(window, [this](TMessage& m) {
            Saw.push_back(m.Msg);
            if (m.Msg == WM_PROBE && Consume) {
                m.Result = Answer;
                return;
            }
            Subclass.CallDefault(m);
        });
    }
};

TEST(BareWindow, RoutesMessagesToTheMethodAndRestoresTheExactProcedure) {
    HWND window = MakeWindow();
    const WNDPROC original = CurrentProc(window);
    TProbe probe(42);
    ASSERT_TRUE(probe.Attach(window));
    EXPECT_FALSE(probe.Attach(window)) << "one object, one window";
    EXPECT_EQ(probe.Subclass.OldWndProc(), original);
    EXPECT_EQ(CurrentProc(window), probe.Subclass.WndProcThunk());

    EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 42);
    EXPECT_TRUE(OriginalSaw.empty()) << "a consumed message never reaches the window's procedure";
    probe.Consume = false;
    EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 1) << "passed on, the window's own answer comes back";
    EXPECT_EQ(OriginalSaw.size(), 1u);

    probe.Subclass.Detach();
    EXPECT_EQ(CurrentProc(window), original);
    EXPECT_FALSE(probe.Subclass.Attached());
    const std::size_t seen = probe.Saw.size();
    SendMessageW(window, WM_PROBE, 0, 0);
    EXPECT_EQ(probe.Saw.size(), seen) << "detached: the method hears nothing more";
    DestroyWindow(window);
}

TEST(BareWindow, TwoSubclassersDetachInEitherOrder) {
    for (const bool innerFirst : {false, true}) {
        HWND window = MakeWindow();
        const WNDPROC original = CurrentProc(window);
        TProbe inner(10), outer(20);
        inner.Consume = outer.Consume = false;
        ASSERT_TRUE(inner.Attach(window));
        ASSERT_TRUE(outer.Attach(window));
        EXPECT_EQ(outer.Subclass.OldWndProc(), inner.Subclass.WndProcThunk());
        SendMessageW(window, WM_PROBE, 0, 0);
        EXPECT_EQ(inner.Saw.back(), WM_PROBE);
        EXPECT_EQ(outer.Saw.back(), WM_PROBE);

        const WNDPROC innerThunk = inner.Subclass.WndProcThunk();
        if (innerFirst) {
            inner.Subclass.Detach();
            // The outer one sits above: the inner thunk stays in the chain, forwarding.
            EXPECT_EQ(CurrentProc(window), outer.Subclass.WndProcThunk());
            inner.Saw.clear();
            EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 1);
            EXPECT_TRUE(inner.Saw.empty());
            EXPECT_EQ(outer.Saw.back(), WM_PROBE);
            outer.Subclass.Detach();
            EXPECT_EQ(CurrentProc(window), innerThunk) << "the outer one put back what it replaced";
        } else {
            outer.Subclass.Detach();
            EXPECT_EQ(CurrentProc(window), inner.Subclass.WndProcThunk());
            inner.Subclass.Detach();
            EXPECT_EQ(CurrentProc(window), original);
        }
        inner.Saw.clear();
        outer.Saw.clear();
        OriginalSaw.clear();
        EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 1);
        EXPECT_EQ(OriginalSaw.size(), 1u);
        EXPECT_TRUE(inner.Saw.empty());
        EXPECT_TRUE(outer.Saw.empty());
        EXPECT_TRUE(DestroyWindow(window)) << "the forwarding thunk lets the window die normally";
    }
}

TEST(BareWindow, AWindowThatDiesFirstDetachesItself) {
    HWND window = MakeWindow();
    TProbe probe(0);
    probe.Consume = false;
    ASSERT_TRUE(probe.Attach(window));
    DestroyWindow(window);
    ASSERT_FALSE(probe.Saw.empty());
    EXPECT_EQ(probe.Saw.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(probe.Subclass.Attached());
    probe.Subclass.Detach(); // nothing left to do, and no crash
    EXPECT_FALSE(probe.Subclass.Attached());
}

TEST(BareWindow, KeepsAnAnsiWindowAnsiAndSurvivesAThrowingMethod) {
    static const ATOM atom = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &OriginalProcA;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = "OrvoSubclassTestA";
        return RegisterClassExA(&wc);
    }();
    ASSERT_NE(atom, 0);
    HWND window = CreateWindowExA(0, "OrvoSubclassTestA", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_FALSE(IsWindowUnicode(window));
    TWindowSubclass subclass;
    std::string textSeen;
    ASSERT_TRUE(subclass.Attach(window, [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) textSeen = reinterpret_cast<const char*>(m.LParam);
        if (m.Msg == WM_PROBE) Abort();
        subclass.CallDefault(m);
    }));
    EXPECT_FALSE(subclass.Unicode());
    EXPECT_FALSE(IsWindowUnicode(window)) << "the window keeps its character set";
    SetWindowTextA(window, "ansi");
    EXPECT_EQ(textSeen, "ansi");
    char text[16] = {};
    GetWindowTextA(window, text, 16);
    EXPECT_STREQ(text, "ansi");
    EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 0) << "the exception stays inside the window procedure";
    subclass.Detach();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), &OriginalProcA);
    DestroyWindow(window);
}

TEST(BareWindow, AMethodThatDetachesCanStillPassItsMessageOn) {
    HWND window = MakeWindow();
    const WNDPROC original = CurrentProc(window);
    TWindowSubclass subclass;
    ASSERT_TRUE(subclass.Attach(window, [&](TMessage& m) {
        if (m.Msg == WM_PROBE) subclass.Detach();
        subclass.CallDefault(m);
    }));
    EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 1);
    EXPECT_EQ(OriginalSaw.size(), 1u);
    EXPECT_EQ(CurrentProc(window), original);
    DestroyWindow(window);
}

TEST(WindowProperty, EveryControlWindowCarriesItsControl) {
    const std::wstring& name = ControlPropertyName();
    ASSERT_EQ(name.rfind(L"ControlOfs", 0), 0u);
    const std::wstring digits = name.substr(10);
    EXPECT_GE(digits.size(), 16u);
    EXPECT_EQ(digits.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos) << "upper-case hex";
    wchar_t thread[16];
    swprintf(thread, 16, L"%.8lX", static_cast<unsigned long>(GetCurrentThreadId()));
    EXPECT_EQ(digits.substr(digits.size() - 8), thread);

    TForm form(nullptr);
    TWinControl* panel = new TCustomControl(&form);
    panel->SetParent(&form);
    HWND window = panel->Handle();
    EXPECT_EQ(FindControl(window), panel);
    EXPECT_EQ(FindControl(form.Handle()), &form);
    EXPECT_EQ(GetPropW(window, name.c_str()), panel) << "the property is found by its name too";
    HWND bare = MakeWindow();
    EXPECT_EQ(FindControl(bare), nullptr);
    DestroyWindow(bare);
    panel->RecreateWnd();
    EXPECT_NE(panel->Handle(), nullptr);
    EXPECT_EQ(FindControl(panel->Handle()), panel);
    EXPECT_EQ(FindControl(window), nullptr) << "the old window is gone";
}

} // namespace
} // namespace orvo

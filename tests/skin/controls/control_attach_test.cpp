// Which control gets which skin object (class rules, Skin3rd with small classes that carry other
// libraries' names, Tag, SkinControls, the program's own choice), bare windows by class and style,
// releasing everything on unskin without cutting out what chained in later, re-created windows
// skinned again, and GDI objects over many skin cycles.
#include "framework/base/prop_access.h"
#include "framework/base/properties.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/panel.h"
#include "framework/window/subclass.h"
#include "skin/controls/button_skin.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

namespace orvo {

// Classes with the names of other libraries' controls.
class TRzButton : public TButton {
    ORVO_CLASS(TRzButton, TButton)
public:
    using TButton::TButton;
};
class TRzButtonEdit : public TEdit {
    ORVO_CLASS(TRzButtonEdit, TEdit)
public:
    using TEdit::TEdit;
};
class TRzGroup : public TCustomPanel {
    ORVO_CLASS(TRzGroup, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
    static void Publish(TPublisher<TRzGroup>& p) {
        p.Boolean(L"Transparent", &TRzGroup::Transparent, &TRzGroup::SetTransparent);
    }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }

private:
    bool FTransparent = false;
};
class TcxButton : public TButton {
    ORVO_CLASS(TcxButton, TButton)
public:
    using TButton::TButton;
};
class TQuietButton : public TButton {
    ORVO_CLASS(TQuietButton, TButton)
public:
    using TButton::TButton;
};
ORVO_IMPLEMENT_CLASS(TRzButton);
ORVO_IMPLEMENT_CLASS(TRzButtonEdit);
ORVO_IMPLEMENT_CLASS(TRzGroup);
ORVO_IMPLEMENT_CLASS(TcxButton);
ORVO_IMPLEMENT_CLASS(TQuietButton);

namespace {

using test::AnswersSkinned;
using test::FrameColour;
using test::PaintedPixel;
using test::Pump;
using test::TSkinnedForm;

TEST(ControlAttach, ClassRulesAndOtherLibrariesClasses) {
    TSkinnedForm f;
    f.Data->Skin3rd()->Add(L"TQuietButton=nil");
    auto* button = f.Add<TButton>(nullptr, 10, 10, 80, 25);
    auto* rz = f.Add<TRzButton>(nullptr, 100, 10, 80, 25);
    auto* cx = f.Add<TcxButton>(nullptr, 190, 10, 80, 25);
    auto* quiet = f.Add<TQuietButton>(nullptr, 280, 10, 80, 25);
    auto* rzEdit = f.Add<TRzButtonEdit>(nullptr, 10, 40, 80, 21);
    auto* rzGroup = f.Add<TRzGroup>(nullptr, 10, 70, 150, 60);
    auto* group = f.Add<TGroupBox>(nullptr, 170, 70, 150, 100);
    auto* inGroup = f.Add<TCheckBox>(group, 10, 20, 100, 20);
    auto* twin = f.Add<TButton>(nullptr, 10, 180, 80, 25);
    twin->SetTag(99);
    f.Skin();

    EXPECT_EQ(f.SkinClassOf(button), L"TSkinButton");
    EXPECT_EQ(f.SkinClassOf(rz), L"TSkinButton") << "TRzButton=button";
    EXPECT_EQ(f.SkinOf(rz)->Mode, 1) << "its mouse-down is not forwarded";
    EXPECT_EQ(f.SkinClassOf(cx), L"TSkinBitButton") << "TcxButton=bitbtn";
    EXPECT_EQ(f.SkinClassOf(quiet), L"") << "kind nil, although a class rule would match";
    EXPECT_FALSE(AnswersSkinned(quiet->Handle()));
    EXPECT_EQ(f.SkinClassOf(rzEdit), L"TSkinEdit") << "its line is TRzButtonEdit=Edit, not TRzButton's";
    EXPECT_EQ(f.SkinClassOf(rzGroup), L"TSkinBox") << "TRzGroup=panel";
    EXPECT_TRUE(rzGroup->Transparent());
    EXPECT_EQ(f.SkinClassOf(group), L"TSkinGroupBox");
    EXPECT_EQ(f.SkinClassOf(inGroup), L"TSkinCheckBox");
    EXPECT_EQ(f.SkinClassOf(twin), L"") << "Tag 99 keeps the platform look";
    EXPECT_FALSE(AnswersSkinned(twin->Handle()));
    EXPECT_TRUE(AnswersSkinned(button->Handle()));
    EXPECT_TRUE(AnswersSkinned(group->Handle()));

    const std::size_t count = f.FormSkin->ControlSkins().size();
    SendMessageW(f.Form->Handle(), SKM_FINISHSKINNING, 0, SkmFinishSkinningParam);
    EXPECT_EQ(f.FormSkin->ControlSkins().size(), count) << "no control gets a second skin object";
}

TEST(ControlAttach, SkinControlsDecideTheFamilies) {
    TSkinnedForm f;
    f.Data->SetSkinControls(f.Data->SkinControls() - TSkinControlTypes{xcButton, xcGroupBox});
    auto* button = f.Add<TButton>(nullptr, 10, 10, 80, 25);
    auto* box = f.Add<TCheckBox>(nullptr, 10, 40, 80, 21);
    auto* group = f.Add<TGroupBox>(nullptr, 10, 70, 150, 60);
    f.Skin();
    EXPECT_EQ(f.SkinClassOf(button), L"");
    EXPECT_EQ(f.SkinClassOf(box), L"TSkinCheckBox");
    EXPECT_EQ(f.SkinClassOf(group), L"TSkinGroupBox") << "group boxes follow xcPanel";
}

TEST(ControlAttach, TheProgramsChoiceStopsTheBuiltInOne) {
    TSkinnedForm f;
    TComponent* chosen = nullptr;
    auto* button = f.Add<TButton>(nullptr, 10, 10, 80, 25);
    auto* other = f.Add<TButton>(nullptr, 10, 40, 80, 25);
    f.Data->OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl* control, const std::wstring& name,
                                TComponent*& skinned) {
        if (control == button) {
            EXPECT_EQ(name, L"TBUTTON") << "the class name in upper case";
        }
        if (control == button) skinned = chosen = new TComponent(control); // not a skin object
        if (control == other) skinned = new TSkinBitButton(control);
    };
    f.Skin();
    EXPECT_EQ(f.SkinClassOf(button), L"");
    EXPECT_FALSE(AnswersSkinned(button->Handle()));
    EXPECT_EQ(f.SkinClassOf(other), L"TSkinBitButton");
    EXPECT_TRUE(AnswersSkinned(other->Handle()));
    ASSERT_NE(chosen, nullptr);
}

// A bare parent window with the native button kinds.
class TBareDialog {
public:
    TBareDialog() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OrvoBareDialog";
        RegisterClassExW(&wc);
        Window = CreateWindowExW(0, L"OrvoBareDialog", L"bare", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 40, 400,
                                 300, nullptr, nullptr, GetModuleHandleW(nullptr), this);
        SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TBareDialog() { DestroyWindow(Window); }
    HWND Button(DWORD style, int id, const wchar_t* text = L"b") {
        return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * (id % 8), 120, 26,
                               Window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                               nullptr);
    }
    HWND Window = nullptr;
    int LastCommand = -1;
    int Commands = 0;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_COMMAND) {
            if (auto* self = reinterpret_cast<TBareDialog*>(GetWindowLongPtrW(w, GWLP_USERDATA))) {
                self->LastCommand = LOWORD(wp);
                ++self->Commands;
            }
            return 0;
        }
        return DefWindowProcW(w, m, wp, lp);
    }
};

TEST(ControlAttach, BareWindowsByClassAndExactStyle) {
    auto data = test::Loaded(test::ControlsSkin());
    TBareDialog dialog;
    HWND push = dialog.Button(BS_PUSHBUTTON, 11, L"确定");
    HWND check = dialog.Button(BS_AUTOCHECKBOX, 12);
    HWND radio = dialog.Button(BS_AUTORADIOBUTTON, 13);
    HWND split = dialog.Button(BS_SPLITBUTTON, 14);
    HWND link = dialog.Button(BS_COMMANDLINK, 15);
    HWND groupBox = dialog.Button(BS_GROUPBOX, 16);
    HWND pushBox = dialog.Button(BS_PUSHBOX, 17);
    const auto pushProc = GetWindowLongPtrW(push, GWLP_WNDPROC);
    {
        TComponent owner(nullptr);
        auto* skin = new TWinSkinForm(&owner);
        skin->Handle = dialog.Window;
        skin->AttachWindow(data.get());
        SendMessageW(dialog.Window, SKM_FINISHSKINNING, 0, SkmFinishSkinningParam);
        EXPECT_TRUE(AnswersSkinned(push));
        EXPECT_TRUE(AnswersSkinned(check));
        EXPECT_TRUE(AnswersSkinned(radio));
        EXPECT_TRUE(AnswersSkinned(pushBox));
        EXPECT_FALSE(AnswersSkinned(split)) << "split buttons are no check boxes";
        EXPECT_FALSE(AnswersSkinned(link)) << "command links are no radio buttons";
        EXPECT_FALSE(AnswersSkinned(groupBox));
        EXPECT_EQ(PaintedPixel(push, 1, 1), FrameColour(bfNormal));
        EXPECT_EQ(PaintedPixel(check, 6, 12), FrameColour(1));
        SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(PaintedPixel(check, 6, 12), FrameColour(5));
        SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(PaintedPixel(radio, 6, 12), FrameColour(5)) << "8-frame radio strip";

        // The click is posted to the parent on release inside, with the button's id.
        SendMessageW(push, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        EXPECT_EQ(PaintedPixel(push, 1, 1), FrameColour(bfPressed));
        SendMessageW(push, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        Pump(20);
        EXPECT_EQ(dialog.LastCommand, 11);
        EXPECT_EQ(dialog.Commands, 1);

        // Another subclasser after the skin: unskinning must not cut it out.
        int later = 0;
        TWindowSubclass after;
        after.Attach(check, [&](TMessage& m) {
            if (m.Msg == WM_USER + 7) ++later;
            after.CallDefault(m);
        });
        skin->Unskin();
        EXPECT_FALSE(AnswersSkinned(push));
        EXPECT_FALSE(AnswersSkinned(check)) << "the skin's thunk passes everything on";
        EXPECT_EQ(GetWindowLongPtrW(push, GWLP_WNDPROC), pushProc) << "exactly what was there";
        SendMessageW(check, WM_USER + 7, 0, 0);
        EXPECT_EQ(later, 1);
        EXPECT_EQ(skin->ControlSkins().size(), 0u);
    }
    DestroyWindow(check); // the pass-through thunk leaves with the window
}

TEST(ControlAttach, UnskinReleasesEverythingAndKeepsLaterHooks) {
    TSkinnedForm f;
    auto* button = f.Add<TButton>(nullptr, 10, 10, 80, 25);
    auto* box = f.Add<TCheckBox>(nullptr, 10, 40, 120, 21);
    auto* group = f.Add<TGroupBox>(nullptr, 10, 70, 150, 60);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    f.Skin();
    int seen = 0;
    TWindowMethodHook later;
    later.Attach(box, [&](TMessage& m) {
        if (m.Msg == WM_USER + 3) ++seen;
        later.CallDefault(m);
    });
    f.Unskin();
    for (TWinControl* c : {static_cast<TWinControl*>(button), static_cast<TWinControl*>(box),
                           static_cast<TWinControl*>(group)})
        EXPECT_FALSE(AnswersSkinned(c->Handle()));
    box->Perform(WM_USER + 3);
    EXPECT_EQ(seen, 1) << "a hook chained after the skin stays in place";
    // The button clicks the platform way again.
    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_EQ(GetCapture(), button->Handle());
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    Pump(10);
    EXPECT_EQ(clicks, 1);
    later.Detach();

    f.Skin();
    EXPECT_TRUE(AnswersSkinned(box->Handle())) << "skinned again";
    EXPECT_EQ(f.SkinClassOf(box), L"TSkinCheckBox");
}

TEST(ControlAttach, ReCreatedWindowsAreSkinnedAgain) {
    TSkinnedForm f;
    auto* button = f.Add<TButton>(nullptr, 10, 10, 80, 25);
    auto* box = f.Add<TCheckBox>(nullptr, 10, 40, 120, 21);
    auto* panel = f.Add<TPanel>(nullptr, 10, 70, 150, 60);
    panel->SetColor(clYellow);
    auto* inPanel = f.Add<TButton>(panel, 5, 5, 60, 24);
    f.Skin();
    const std::size_t count = f.FormSkin->ControlSkins().size();
    HWND oldButton = button->Handle();
    button->RecreateWnd();
    box->RecreateWnd();
    panel->RecreateWnd();
    ASSERT_NE(button->Handle(), oldButton);
    EXPECT_TRUE(test::PumpUntil([&] {
        return AnswersSkinned(button->Handle()) && AnswersSkinned(box->Handle()) &&
               AnswersSkinned(panel->Handle()) && AnswersSkinned(inPanel->Handle());
    }));
    EXPECT_EQ(f.FormSkin->ControlSkins().size(), count) << "the old objects were replaced, not kept";
    EXPECT_EQ(PaintedPixel(button->Handle(), 1, 1),
              FrameColour(GetFocus() == button->Handle() ? bfFocused : bfNormal));
    EXPECT_EQ(PaintedPixel(box->Handle(), 6, 10), FrameColour(1));
    EXPECT_EQ(panel->Color(), test::SkinFace);
    f.Unskin();
    EXPECT_EQ(panel->Color(), clYellow) << "the colour handed back is the panel's own";
}

TEST(ControlAttach, TheSkinComponentGoingFirstHandsEverythingBack) {
    TSkinnedForm f;
    auto* panel = f.Add<TPanel>(nullptr, 10, 10, 100, 60);
    panel->SetColor(clAqua);
    auto* button = f.Add<TButton>(panel, 5, 5, 60, 24);
    f.Skin();
    ASSERT_TRUE(AnswersSkinned(button->Handle()));
    ASSERT_FALSE(panel->ParentBackground());
    f.Data.reset();
    EXPECT_EQ(f.FormSkin->ControlSkins().size(), 0u);
    EXPECT_FALSE(AnswersSkinned(button->Handle()));
    EXPECT_EQ(panel->Color(), clAqua);
    EXPECT_TRUE(panel->ParentBackground());
    RedrawWindow(f.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TEST(ControlAttach, NoGdiObjectsLeftOverManySkinCycles) {
    TSkinnedForm f;
    auto* button = f.Add<TButton>(nullptr, 10, 10, 80, 25);
    button->SetCaption(L"立即拆分");
    f.Add<TCheckBox>(nullptr, 10, 40, 120, 21)->SetCaption(L"使用文件所在目录");
    auto* group = f.Add<TGroupBox>(nullptr, 10, 70, 150, 80);
    group->SetCaption(L"组");
    f.Add<TButton>(group, 10, 20, 60, 24);
    f.Add<TPanel>(nullptr, 170, 70, 100, 60);
    f.Skin();
    f.Unskin();
    const long leaked = test::GdiObjectsLeakedBy(25, [&] {
        f.Skin();
        RedrawWindow(f.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
        f.Unskin();
    });
    EXPECT_EQ(leaked, 0);
    const DWORD users = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 10; ++i) {
        f.Skin();
        f.Unskin();
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), users);
}

} // namespace
} // namespace orvo

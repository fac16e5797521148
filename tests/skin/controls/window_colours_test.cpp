// The skin's window colours on controls, and what they had before given back: framework controls
// (their Color and Font.Color, which the framework passes on, and the form's text on its face), a dialog's controls of another
// module (the colour messages its form skin answers, list and tree views' own settings, items the
// dialog draws itself, children it makes later), and no GDI object or window left over cycles.
#include "core/colour/colour.h"
#include "framework/base/sysutils.h"
#include "framework/controls/date_time_picker.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/list_box.h"
#include "framework/controls/list_view.h"
#include "framework/controls/memo.h"
#include "framework/controls/tree_view.h"
#include "skin/form/control_colours.h"
#include "tests/framework/support/input_driver.h"
#include "tests/skin/controls/skinned_form.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace orvo::test {
namespace {

constexpr COLORREF Window = RGB(10, 20, 30);
constexpr COLORREF WindowText = RGB(200, 210, 220);
constexpr COLORREF Face = RGB(40, 50, 60);
constexpr COLORREF FaceText = RGB(230, 220, 210);
constexpr COLORREF Highlight = RGB(0, 90, 180);
constexpr COLORREF Shadow = RGB(90, 91, 92);

// A dark skin: it names its Window colour, so it dresses every window-coloured surface.
TTestSkin DarkSkin() {
    TTestSkin skin = ControlsSkin();
    skin.Ini.erase(skin.Ini.find("[Colours]"));
    skin.Ini += "[Colours]\r\nWindow=10 20 30\r\nWindowText=200 210 220\r\nButtonFace=40 50 60\r\n"
                "ButtonText=230 220 210\r\nHilight=0 90 180\r\nHilightText=250 250 250\r\nButtonShadow=90 91 92\r\n";
    return skin;
}

TColor AsColor(COLORREF c) {
    return static_cast<TColor>(c);
}

// What a list or tree view holds in its three colour settings.
std::array<COLORREF, 3> ColoursOf(HWND w, bool tree) {
    const UINT back = tree ? TVM_GETBKCOLOR : LVM_GETBKCOLOR, text = tree ? TVM_GETTEXTCOLOR : LVM_GETTEXTCOLOR,
               third = tree ? TVM_GETLINECOLOR : LVM_GETTEXTBKCOLOR;
    return {static_cast<COLORREF>(SendMessageW(w, back, 0, 0)), static_cast<COLORREF>(SendMessageW(w, text, 0, 0)),
            static_cast<COLORREF>(SendMessageW(w, third, 0, 0))};
}

// The pixels of a window's client area (or of `part` of it) as they show.
std::vector<COLORREF> Pixels(HWND w, const RECT* part = nullptr) {
    RECT r{};
    GetClientRect(w, &r);
    if (part) r = *part;
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC dc = GetDC(w);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, r.left, r.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y) & 0xFFFFFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(w, dc);
    return pixels;
}

int CountOf(const std::vector<COLORREF>& pixels, COLORREF c) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), c));
}

struct TOwnColours {
    TColor Color;
    bool ParentColor;
    TColor FontColor;
    bool ParentFont;
    bool operator==(const TOwnColours&) const = default;
};

TOwnColours OwnColoursOf(TControl* c) {
    return {c->Color(), c->ParentColor(), c->Font()->Color(), c->ParentFont()};
}

TEST(WindowColours, FrameworkControlsTakeTheSkinsColoursAndGetTheirOwnBackExactly) {
    TSkinnedForm host(DarkSkin());
    auto* edit = host.Add<TEdit>(nullptr, 10, 10, 120, 22);
    auto* painted = host.Add<TEdit>(nullptr, 140, 10, 120, 22); // the program's own colours
    painted->SetColor(clYellow);
    painted->Font()->SetColor(clRed);
    auto* memo = host.Add<TMemo>(nullptr, 10, 40, 120, 60);
    auto* list = host.Add<TListBox>(nullptr, 140, 40, 120, 60);
    auto* twin = host.Add<TEdit>(nullptr, 270, 10, 120, 22);
    twin->SetTag(99);
    twin->SetParentFont(false); // a font of its own: nothing to follow
    auto* label = host.Add<TLabel>(nullptr, 270, 40, 120, 16);
    label->SetCaption(L"On the face");
    auto* view = host.Add<TListView>(nullptr, 10, 110, 180, 80);
    auto* tree = host.Add<TTreeView>(nullptr, 200, 110, 180, 80);
    tree->SetHideSelection(false);
    TTreeNode* node = tree->Items()->Add(nullptr, L"A node");
    auto* picker = host.Add<TDateTimePicker>(nullptr, 10, 200, 130, 22);
    std::vector<TControl*> controls{edit, painted, memo, list, twin, view, tree, picker, label, host.Form};
    std::vector<TOwnColours> own;
    for (TControl* c : controls) own.push_back(OwnColoursOf(c));
    host.Form->HandleNeeded();
    const auto viewColours = ColoursOf(view->Handle(), false), treeColours = ColoursOf(tree->Handle(), true);
    const auto calendar = SendMessageW(picker->Handle(), DTM_GETMCCOLOR, MCSC_MONTHBK, 0);

    host.Skin();
    for (TControl* c : {static_cast<TControl*>(edit), static_cast<TControl*>(memo), static_cast<TControl*>(list)}) {
        EXPECT_EQ(c->Color(), AsColor(Window)) << Utf8Encode(std::wstring(c->ClassName()));
        EXPECT_EQ(c->Font()->Color(), AsColor(WindowText)) << Utf8Encode(std::wstring(c->ClassName()));
    }
    EXPECT_EQ(OwnColoursOf(painted), own[1]) << "the program's colours stay";
    EXPECT_EQ(OwnColoursOf(twin), own[4]) << "Tag 99 keeps the platform's";
    EXPECT_EQ(host.Form->Font()->Color(), AsColor(FaceText)) << "text on the face";
    EXPECT_EQ(label->Font()->Color(), AsColor(FaceText)) << "following the form's font";
    EXPECT_TRUE(label->ParentFont());
    EXPECT_EQ(ColoursOf(view->Handle(), false), (std::array<COLORREF, 3>{Window, WindowText, Window}))
        << "the framework passes the colours on";
    EXPECT_EQ(ColoursOf(tree->Handle(), true)[0], Window);
    // Its selected node without the focus on the face, as the platform shows it on its own face.
    tree->SetSelected(node);
    edit->SetFocus();
    RedrawWindow(tree->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_GT(CountOf(Pixels(tree->Handle()), Face), 10) << "the selection recoloured through the tree's skin";
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(picker->Handle(), DTM_GETMCCOLOR, MCSC_MONTHBK, 0)), Window)
        << "the picker's calendar";
    // The edit answers its colour message from its colours: the platform paints it in them.
    HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = SendMessageW(host.Form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(edit->Handle()));
    LOGBRUSH info{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof info, &info);
    EXPECT_EQ(info.lbColor, Window);
    EXPECT_EQ(GetTextColor(dc), WindowText);
    DeleteDC(dc);

    // A colour the program sets while skinned is its own: it stays.
    list->SetColor(clAqua);
    host.Unskin();
    own[3].Color = clAqua;
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(OwnColoursOf(controls[i]), own[i]) << Utf8Encode(std::wstring(controls[i]->ClassName()));
    EXPECT_EQ(ColoursOf(view->Handle(), false), viewColours);
    EXPECT_EQ(ColoursOf(tree->Handle(), true), treeColours);
    EXPECT_EQ(SendMessageW(picker->Handle(), DTM_GETMCCOLOR, MCSC_MONTHBK, 0), calendar);
}

TEST(WindowColours, AProgramsTextColourTheFaceWouldHideIsMadeReadableAndGivenBack) {
    TSkinnedForm host(DarkSkin());
    auto* link = host.Add<TLabel>(nullptr, 10, 10, 120, 16); // a link's blue on the dark face
    link->SetCaption(L"A link");
    link->Font()->SetColor(clBlue);
    auto* bright = host.Add<TLabel>(nullptr, 10, 40, 120, 16);
    bright->SetCaption(L"Readable");
    bright->Font()->SetColor(clYellow);
    auto* onWindow = host.Add<TEdit>(nullptr, 10, 70, 120, 22); // navy on the skin's window colour
    onWindow->Font()->SetColor(clNavy);
    host.Form->HandleNeeded();

    host.Skin();
    EXPECT_GE(ContrastRatio(link->Font()->Color(), AsColor(Face)), 4.5);
    EXPECT_GT(BlueOf(link->Font()->Color()), RedOf(link->Font()->Color())) << "still the program's blue";
    EXPECT_EQ(bright->Font()->Color(), clYellow) << "readable as it is";
    EXPECT_GE(ContrastRatio(onWindow->Font()->Color(), AsColor(Window)), 4.5);

    host.Unskin();
    EXPECT_EQ(link->Font()->Color(), clBlue);
    EXPECT_FALSE(link->ParentFont());
    EXPECT_EQ(onWindow->Font()->Color(), clNavy);
}

TEST(WindowColours, ASkinThatNamesNoWindowColourLeavesWindowColoursToThePlatform) {
    TSkinnedForm host; // the controls' skin: a face colour, no Window
    auto* edit = host.Add<TEdit>(nullptr, 10, 10, 120, 22);
    host.Skin();
    EXPECT_EQ(edit->Color(), clWindow);
    EXPECT_EQ(edit->Font()->Color(), clWindowText);
    ASSERT_NE(host.FormSkin->ControlColours(), nullptr);
    EXPECT_EQ(host.FormSkin->ControlColours()->Count(), 0u);
}

// A dialog of the platform's own class with controls made as another module makes them; its
// procedure paints its owner-drawn combo's items in the platform's colours and colours one edit
// itself.
struct TBareDialog {
    HWND Dialog = nullptr;
    HWND Edit = nullptr, ReadOnly = nullptr, OwnColoured = nullptr, Label = nullptr, List = nullptr;
    HWND ListView = nullptr, Tree = nullptr, Combo = nullptr;
    static inline HBRUSH OwnBrush = nullptr;

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CTLCOLOREDIT && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == 3)
            return reinterpret_cast<INT_PTR>(OwnBrush);
        if (message == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            SetBkColor(item->hDC, GetSysColor(COLOR_WINDOW));
            SetTextColor(item->hDC, GetSysColor(COLOR_WINDOWTEXT));
            ExtTextOutW(item->hDC, item->rcItem.left + 2, item->rcItem.top, ETO_OPAQUE, &item->rcItem, L"ITEM", 4,
                        nullptr);
            return TRUE;
        }
        (void)dialog;
        (void)wParam;
        return FALSE;
    }

    TBareDialog() {
        OwnBrush = CreateSolidBrush(RGB(255, 255, 0));
        Dialog = CreateWindowExW(0, WC_DIALOG, L"Bare", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 60, 60, 420, 300,
                                 nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(Dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&Procedure));
        auto child = [this](const wchar_t* cls, DWORD style, int id, int x, int y, int w, int h, DWORD ex = 0) {
            return CreateWindowExW(ex, cls, L"text", WS_CHILD | WS_VISIBLE | style, x, y, w, h, Dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        };
        Edit = child(L"EDIT", WS_BORDER, 1, 10, 10, 100, 22);
        ReadOnly = child(L"EDIT", WS_BORDER | ES_READONLY, 2, 120, 10, 100, 22);
        OwnColoured = child(L"EDIT", WS_BORDER, 3, 230, 10, 100, 22);
        Label = child(L"STATIC", 0, 4, 10, 40, 100, 16);
        List = child(L"LISTBOX", WS_BORDER, 5, 120, 40, 100, 60);
        ListView = child(WC_LISTVIEWW, LVS_LIST, 6, 10, 110, 190, 80, WS_EX_CLIENTEDGE);
        Tree = child(WC_TREEVIEWW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 7, 210, 110,
                     190, 80, WS_EX_CLIENTEDGE);
        Combo = child(L"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 8, 230, 40, 150, 200);
        SendMessageW(Combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"ITEM"));
        SendMessageW(Combo, CB_SETCURSEL, 0, 0);
        TVINSERTSTRUCTW insert{};
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(L"Root");
        HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        insert.hParent = root;
        insert.item.pszText = const_cast<wchar_t*>(L"Leaf");
        SendMessageW(Tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    }
    ~TBareDialog() {
        DestroyWindow(Dialog);
        DeleteObject(OwnBrush);
    }
};

// The form skin the manager gives a dialog, on the bare-window road.
TWinSkinForm* SkinBare(HWND dialog, TSkinData& data) {
    auto* skin = new TWinSkinForm(nullptr);
    skin->Handle = dialog;
    skin->AttachWindow(&data);
    SendMessageW(dialog, SKM_FINISHSKINNING, 0, SkmFinishSkinningParam);
    Pump(30);
    return skin;
}

void UnskinBare(TWinSkinForm* skin) {
    skin->Unskin();
    delete skin;
    Pump(30);
}

struct TAnswer {
    COLORREF Brush;
    COLORREF Text;
};

TAnswer Answer(HWND parent, UINT message, HWND child) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    const TAnswer answer{info.lbColor & 0xFFFFFF, GetTextColor(dc) & 0xFFFFFF};
    DeleteDC(dc);
    return answer;
}

TEST(WindowColours, ADialogsControlsAreAnsweredRecolouredAndGivenBack) {
    auto data = Loaded(DarkSkin());
    TBareDialog bare;
    const auto listColours = ColoursOf(bare.ListView, false), treeColours = ColoursOf(bare.Tree, true);
    TWinSkinForm* skin = SkinBare(bare.Dialog, *data);

    EXPECT_EQ(Answer(bare.Dialog, WM_CTLCOLOREDIT, bare.Edit).Brush, Window);
    EXPECT_EQ(Answer(bare.Dialog, WM_CTLCOLOREDIT, bare.Edit).Text, WindowText);
    EXPECT_EQ(Answer(bare.Dialog, WM_CTLCOLORLISTBOX, bare.List).Brush, Window);
    EXPECT_EQ(Answer(bare.Dialog, WM_CTLCOLORSTATIC, bare.ReadOnly).Brush, Face) << "read-only: the face";
    EXPECT_EQ(Answer(bare.Dialog, WM_CTLCOLORSTATIC, bare.Label).Text, FaceText);
    EXPECT_EQ(Answer(bare.Dialog, WM_CTLCOLOREDIT, bare.OwnColoured).Brush, RGB(255, 255, 0))
        << "a colour the dialog gives stays";
    EXPECT_EQ(ColoursOf(bare.ListView, false), (std::array<COLORREF, 3>{Window, WindowText, Window}));
    EXPECT_EQ(ColoursOf(bare.Tree, true), (std::array<COLORREF, 3>{Window, WindowText, Shadow}));

    // What the platform draws in its own colours: the dialog's owner-drawn item, the tree's
    // buttons and its selected item (shown while the tree has no focus).
    InvalidateRect(bare.Dialog, nullptr, TRUE);
    SendMessageW(bare.Tree, TVM_EXPAND, TVE_EXPAND,
                 SendMessageW(bare.Tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SendMessageW(bare.Tree, TVM_SELECTITEM, TVGN_CARET, SendMessageW(bare.Tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SetFocus(bare.Edit);
    RedrawWindow(bare.Dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(50);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(bare.Combo, &info));
    const auto combo = Pixels(bare.Combo, &info.rcItem), tree = Pixels(bare.Tree);
    EXPECT_GT(CountOf(combo, Window), 20) << "the item on the skin's window colour";
    EXPECT_GT(CountOf(combo, WindowText), 4);
    EXPECT_EQ(CountOf(combo, GetSysColor(COLOR_WINDOW)), 0);
    EXPECT_EQ(CountOf(tree, GetSysColor(COLOR_WINDOW)), 0) << "no white button";
    EXPECT_GT(CountOf(tree, Face), 10) << "the selection without focus on the face";

    // A list view the dialog makes later gets the colours once it is whole.
    HWND later = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_LIST, 10, 200, 100, 60, bare.Dialog,
                                 nullptr, nullptr, nullptr);
    skin->ChildCreated(later);
    Pump(30);
    EXPECT_EQ(ColoursOf(later, false)[0], Window);

    UnskinBare(skin);
    EXPECT_EQ(ColoursOf(bare.ListView, false), listColours) << "given back";
    EXPECT_EQ(ColoursOf(bare.Tree, true), treeColours);
    EXPECT_EQ(Answer(bare.Dialog, WM_CTLCOLOREDIT, bare.Edit).Brush, GetSysColor(COLOR_WINDOW));
}

TEST(WindowColours, SkinCyclesLeaveNoGdiObjectsOrWindows) {
    auto data = Loaded(DarkSkin());
    TSkinnedForm host(DarkSkin());
    auto* view = host.Add<TListView>(nullptr, 10, 10, 180, 80);
    view->SetCheckboxes(true);
    view->Items()->Add()->SetCaption(L"checked");
    auto* picker = host.Add<TDateTimePicker>(nullptr, 10, 100, 130, 22);
    host.Add<TTreeView>(nullptr, 200, 10, 180, 80)->Items()->Add(nullptr, L"A node");
    TBareDialog bare;
    (void)picker;
    ExpectNoLeaks(6, [&] {
        host.Skin();
        TWinSkinForm* skin = SkinBare(bare.Dialog, *data);
        RedrawWindow(host.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RedrawWindow(bare.Dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        host.FormSkin->SkinChanged();
        UnskinBare(skin);
        host.Unskin();
    });
}

} // namespace
} // namespace orvo::test

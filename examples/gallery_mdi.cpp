#include "examples/gallery_mdi.h"

#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/forms/forms.h"
#include "framework/menus/menus.h"

#include <string>

namespace orvo {

namespace {

TMenuItem* Item(TComponent* owner, const std::wstring& caption, TNotifyEvent click = {}) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    return item;
}

TForm* NewChild(TForm* frame, const std::wstring& caption, int width, int height) {
    auto* child = new TForm(frame);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption(caption);
    child->SetClientSize(width, height);
    return child;
}

void MemoChild(TForm* frame, int number) {
    TForm* child = NewChild(frame, L"Notes " + std::to_wstring(number), 280, 150);
    auto* memo = new TMemo(child);
    memo->SetParent(child);
    memo->SetBounds(0, 0, 280, 150);
    memo->SetScrollBars(ssVertical);
    memo->Lines()->Add(L"A memo in a document window.");
    memo->Lines()->Add(L"Maximise it: its buttons move into the frame's menu bar.");
    // The memo is looked up at each resize: the child is still resized while it is being freed,
    // after its controls have gone.
    child->OnResize = [child](TObject*) {
        if (child->ControlCount() > 0) child->Controls(0)->SetBounds(0, 0, child->ClientWidth(), child->ClientHeight());
    };
    child->Show();
}

void ButtonsChild(TForm* frame) {
    TForm* child = NewChild(frame, L"Settings", 260, 130);
    auto* label = new TLabel(child);
    label->SetParent(child);
    label->SetBounds(12, 12, 230, 16);
    label->SetCaption(L"Lines per piece:");
    auto* edit = new TEdit(child);
    edit->SetParent(child);
    edit->SetBounds(12, 32, 236, 21);
    edit->SetText(L"3000");
    auto* check = new TCheckBox(child);
    check->SetParent(child);
    check->SetBounds(12, 62, 236, 18);
    check->SetCaption(L"Repeat the header line");
    check->SetChecked(true);
    auto* ok = new TButton(child);
    ok->SetParent(child);
    ok->SetBounds(92, 94, 75, 25);
    ok->SetCaption(L"OK");
    auto* close = new TButton(child);
    close->SetParent(child);
    close->SetBounds(173, 94, 75, 25);
    close->SetCaption(L"Close");
    close->OnClick = [child](TObject*) { child->Close(); };
    child->Show();
}

void ReportChild(TForm* frame) {
    TForm* child = NewChild(frame, L"Report", 260, 110);
    // Its own menu: shown in the frame's bar, between File and Window, while it is active.
    auto* menu = new TMainMenu(child);
    TMenuItem* report = Item(child, L"&Report");
    report->SetGroupIndex(5);
    auto* label = new TLabel(child);
    report->Add(Item(child, L"&Count lines", [label](TObject*) { label->SetCaption(L"Counted: 3000 lines a piece."); }));
    report->Add(Item(child, L"&Clear", [label](TObject*) { label->SetCaption(L""); }));
    menu->Items()->Add(report);
    child->SetMenu(menu);
    label->SetParent(child);
    label->SetBounds(12, 14, 236, 60);
    label->SetCaption(L"This window's Report menu joins the frame's bar while it is active.");
    label->SetWordWrap(true);
    child->Show();
}

void ToolChild(TForm* frame) {
    TForm* child = NewChild(frame, L"Fixed tool", 200, 70);
    child->SetBorderStyle(bsSingle);
    child->SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
    auto* button = new TButton(child);
    button->SetParent(child);
    button->SetBounds(12, 20, 176, 27);
    button->SetCaption(L"A fixed-size window");
    child->Show();
}

} // namespace

TForm* OpenMdiGallery(TComponent* owner) {
    auto* frame = new TForm(owner);
    frame->SetFormStyle(fsMDIForm);
    frame->SetCaption(L"MDI frame");
    frame->SetClientSize(640, 420);
    frame->SetPosition(poOwnerFormCenter);
    frame->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    auto* menu = new TMainMenu(frame);
    TMenuItem* file = Item(frame, L"&File");
    int memos = 1;
    file->Add(Item(frame, L"New &memo", [frame, memos](TObject*) mutable { MemoChild(frame, ++memos); }));
    file->Add(Item(frame, L"New &settings", [frame](TObject*) { ButtonsChild(frame); }));
    file->Add(Item(frame, L"New &report", [frame](TObject*) { ReportChild(frame); }));
    file->Add(Item(frame, L"-"));
    file->Add(Item(frame, L"&Close", [frame](TObject*) { frame->Close(); }));
    TMenuItem* window = Item(frame, L"&Window");
    window->SetGroupIndex(9);
    window->Add(Item(frame, L"&Cascade", [frame](TObject*) { frame->Cascade(); }));
    window->Add(Item(frame, L"&Tile", [frame](TObject*) { frame->Tile(); }));
    window->Add(Item(frame, L"&Arrange icons", [frame](TObject*) { frame->ArrangeIcons(); }));
    menu->Items()->Add(file);
    menu->Items()->Add(window);
    frame->SetMenu(menu);
    frame->SetWindowMenu(window);
    frame->Show();
    MemoChild(frame, 1);
    ButtonsChild(frame);
    ReportChild(frame);
    ToolChild(frame);
    frame->Cascade();
    return frame;
}

} // namespace orvo

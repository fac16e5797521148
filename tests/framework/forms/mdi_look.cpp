// Run by hand (not a test): an MDI frame with a tool bar, a window menu and children of different
// kinds (one with a menu merged into the frame's, one minimised, one maximised when asked), kept on
// the screen for a few seconds to be looked at or captured.
//
//   framework_mdi_look.exe [seconds] [maximised]
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/forms/application.h"
#include "framework/forms/forms.h"
#include "framework/menus/menus.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace orvo;

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const wchar_t* caption, std::uint8_t group = 0) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetGroupIndex(group);
    parent->Add(item);
    return item;
}

TForm* Child(TForm* frame, const wchar_t* caption, int left, int top, bool withMenu) {
    auto* child = new TForm(frame);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption(caption);
    child->SetBounds(left, top, 260, 150);
    auto* edit = new TEdit(child);
    edit->SetParent(child);
    edit->SetBounds(10, 10, 200, 22);
    edit->SetText(caption);
    if (withMenu) {
        auto* menu = new TMainMenu(child);
        TMenuItem* editMenu = AddItem(child, menu->Items(), L"&Edit", 1);
        AddItem(child, editMenu, L"&Copy");
        child->SetMenu(menu);
    }
    child->Show();
    return child;
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    const bool maximised = argc > 2 && std::strcmp(argv[2], "maximised") == 0;
    Application->Initialize();
    auto* frame = new TForm(Application);
    frame->SetFormStyle(fsMDIForm);
    frame->SetCaption(L"MDI frame");
    frame->SetBounds(20, 20, 700, 480);
    auto* menu = new TMainMenu(frame);
    TMenuItem* file = AddItem(frame, menu->Items(), L"&File");
    AddItem(frame, file, L"&New");
    TMenuItem* window = AddItem(frame, menu->Items(), L"&Window", 9);
    AddItem(frame, window, L"&Cascade")->OnClick = [frame](TObject*) { frame->Cascade(); };
    AddItem(frame, window, L"&Tile")->OnClick = [frame](TObject*) { frame->Tile(); };
    frame->SetMenu(menu);
    frame->SetWindowMenu(window);
    auto* toolBar = new TPanel(frame);
    toolBar->SetParent(frame);
    toolBar->SetBounds(0, 0, 2000, 28);
    toolBar->SetCaption(L"tool bar");
    frame->Show();

    Child(frame, L"Notes", 10, 10, false);
    TForm* icon = Child(frame, L"Minimised", 300, 20, false);
    icon->SetWindowState(wsMinimized);
    TForm* report = Child(frame, L"Report (with a menu)", 60, 90, true);
    if (maximised) report->SetWindowState(wsMaximized);

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end && !Application->Terminated()) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    delete frame;
    return 0;
}

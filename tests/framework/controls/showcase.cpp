// framework_controls_showcase: one form with the tab, track, progress, header, tool-bar and
// container controls in their interesting states, for looking at them (screenshots under Xvfb).
// Not a test: it shows the form until it is closed.
#include "framework/controls/cool_bar.h"
#include "framework/controls/edit.h"
#include "framework/controls/header_control.h"
#include "framework/controls/label.h"
#include "framework/controls/scroll_box.h"
#include "framework/controls/tab_set.h"
#include "framework/controls/tool_bar.h"
#include "framework/graphics/image_list.h"
#include "framework/controls/button.h"
#include "framework/controls/page_control.h"
#include "framework/controls/progress_bar.h"
#include "framework/controls/tab_control.h"
#include "framework/controls/track_bar.h"
#include "framework/forms/application.h"
#include "framework/forms/forms.h"

namespace {

using namespace orvo;

template <class T> T* Place(TComponent* owner, TWinControl* parent, int x, int y, int w, int h) {
    T* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(x, y, w, h);
    return control;
}

TTabControl* Tabs(TForm* form, TTabPosition position, TTabStyle style, int x, int y) {
    auto* tabs = Place<TTabControl>(form, form, x, y, 190, 120);
    tabs->SetTabPosition(position);
    tabs->SetStyle(style);
    tabs->Tabs()->SetText(L"First\nSecond\nThird");
    tabs->SetTabIndex(1);
    return tabs;
}

void Build(TForm* form) {
    form->SetCaption(L"Framework controls");
    form->SetBounds(0, 0, 1000, 700);
    Tabs(form, tpTop, tsTabs, 10, 10);
    Tabs(form, tpBottom, tsTabs, 210, 10);
    Tabs(form, tpLeft, tsTabs, 410, 10);
    Tabs(form, tpRight, tsTabs, 610, 10);
    Tabs(form, tpTop, tsButtons, 10, 140);
    Tabs(form, tpTop, tsFlatButtons, 210, 140);

    auto* pages = Place<TPageControl>(form, form, 410, 140, 380, 200);
    for (const wchar_t* caption : {L"General", L"Advanced", L"About"}) {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
        auto* label = Place<TLabel>(form, sheet, 10, 10, 200, 20);
        label->SetCaption(std::wstring(L"Page ") + caption);
        Place<TButton>(form, sheet, 10, 40, 90, 25)->SetCaption(L"Button");
    }

    auto* track = Place<TTrackBar>(form, form, 10, 280, 200, 45);
    track->SetMax(20);
    track->SetPosition(7);
    track->SetSelStart(4);
    track->SetSelEnd(12);
    auto* both = Place<TTrackBar>(form, form, 10, 330, 200, 45);
    both->SetTickMarks(tmBoth);
    both->SetFrequency(2);
    // Turning a control swaps its width and height: turn it first, then place it.
    auto* vertical = new TTrackBar(form);
    vertical->SetOrientation(trVertical);
    vertical->SetParent(form);
    vertical->SetBounds(220, 270, 45, 150);
    vertical->SetPosition(3);

    auto* progress = Place<TProgressBar>(form, form, 10, 430, 200, 18);
    progress->SetPosition(40);
    auto* smooth = Place<TProgressBar>(form, form, 10, 460, 200, 18);
    smooth->SetSmooth(true);
    smooth->SetMin(-50);
    smooth->SetMax(50);
    smooth->SetPosition(25);
    auto* upright = new TProgressBar(form);
    upright->SetOrientation(pbVertical);
    upright->SetParent(form);
    upright->SetBounds(280, 300, 18, 150);
    upright->SetPosition(70);

    auto* header = Place<THeaderControl>(form, form, 410, 360, 380, 22);
    header->SetHotTrack(true);
    for (const wchar_t* text : {L"Name", L"Size", L"Modified"}) {
        THeaderSection* section = header->Sections()->Add();
        section->SetText(text);
        section->SetWidth(110);
    }
    header->Sections()->Items(1)->SetAlignment(taRightJustify);

    auto* set = Place<TTabSet>(form, form, 410, 400, 380, 21);
    set->Tabs()->SetText(L"Sheet1\nSheet2\nSheet3\nA longer sheet\nSheet5\nSheet6\nSheet7");
    set->SetTabIndex(1);

    auto* bar = Place<TToolBar>(form, form, 10, 500, 380, 40);
    bar->SetFlat(true);
    bar->SetShowCaptions(true);
    bar->SetList(true);
    int index = 0;
    for (const wchar_t* caption : {L"Open", L"Save", L"-", L"Bold", L"Italic", L"More"}) {
        auto* button = new TToolButton(form);
        button->SetCaption(caption);
        if (caption[0] == L'-') button->SetStyle(tbsSeparator);
        if (index == 3 || index == 4) {
            button->SetStyle(tbsCheck);
            button->SetGrouped(true);
        }
        if (index == 5) button->SetStyle(tbsDropDown);
        button->SetDown(index == 3);
        button->SetToolBar(bar);
        ++index;
    }

    auto* cool = Place<TCoolBar>(form, form, 410, 440, 380, 60);
    auto* coolEdit = Place<TEdit>(form, cool, 0, 0, 120, 21);
    TCoolBand* band = cool->Bands()->Add();
    band->SetText(L"Address");
    band->SetControl(coolEdit);
    band->SetWidth(250);
    TCoolBand* second = cool->Bands()->Add();
    second->SetText(L"Second");
    second->SetBreak(false);
    cool->SetAutoSize(true);

    auto* box = Place<TScrollBox>(form, form, 410, 520, 200, 120);
    for (int i = 0; i < 8; ++i)
        Place<TButton>(form, box, 10 + i * 30, 10 + i * 30, 80, 25)->SetCaption(L"Inside " + std::to_wstring(i));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    TForm* form = nullptr;
    Application->CreateForm(form);
    Build(form);
    Application->Run();
    return 0;
}

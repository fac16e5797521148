#include "examples/gallery_form.h"

#include "examples/gallery_mdi.h"
#include "skin/data/skin_chooser.h"
#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/controls/bit_btn.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/check_list_box.h"
#include "framework/controls/cool_bar.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/date_time_picker.h"
#include "framework/controls/edit.h"
#include "framework/controls/group_box.h"
#include "framework/controls/header_control.h"
#include "framework/controls/image.h"
#include "framework/controls/list_view.h"
#include "framework/controls/list_box.h"
#include "framework/controls/menu_button.h"
#include "framework/controls/panel.h"
#include "framework/controls/progress_bar.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/radio_group.h"
#include "framework/controls/scroll_bar.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/tab_control.h"
#include "framework/controls/tab_set.h"
#include "framework/controls/tool_bar.h"
#include "framework/controls/track_bar.h"
#include "framework/controls/tree_view.h"
#include "framework/controls/up_down.h"
#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/shell_browse.h"
#include "framework/forms/application.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TfGallery);

TfGallery* fGallery = nullptr;

namespace {

// The classes the stored form names and no field of the form does: linked and registered here.
void RegisterGalleryClasses() {
    static const TClassInfo* classes[] = {
        &TImage::StaticClass(),      &TLabel::StaticClass(),        &TButton::StaticClass(),
        &TBitBtn::StaticClass(),     &TMenuButton::StaticClass(),   &TSpeedButton::StaticClass(),
        &TCheckBox::StaticClass(),   &TRadioButton::StaticClass(),  &TRadioGroup::StaticClass(),
        &TGroupBox::StaticClass(),   &TPanel::StaticClass(),        &TStatusBar::StaticClass(),
        &TEdit::StaticClass(),       &TMemo::StaticClass(),         &TPageControl::StaticClass(),
        &TTabSheet::StaticClass(),   &TMainMenu::StaticClass(),     &TMenuItem::StaticClass(),
        &TPopupMenu::StaticClass(),  &TSkinData::StaticClass(),     &TTabControl::StaticClass(),
        &TTabSet::StaticClass(),     &TTrackBar::StaticClass(),     &TProgressBar::StaticClass(),
        &THeaderControl::StaticClass(), &TListView::StaticClass(),  &TCheckListBox::StaticClass(),
        &TToolBar::StaticClass(),    &TToolButton::StaticClass(),   &TCoolBar::StaticClass(),
        &TPopupMenu::StaticClass(),  &TSkinData::StaticClass(),     &TComboBox::StaticClass(),
        &TUpDown::StaticClass(),     &TSpinEdit::StaticClass(),     &TDateTimePicker::StaticClass(),
        &TListBox::StaticClass(),    &TScrollBar::StaticClass(),
    };
    (void)classes;
}

} // namespace

TfGallery::TfGallery(TComponent* owner) : TForm(owner) {
    RegisterGalleryClasses();
}

TfGallery::~TfGallery() = default;

void TfGallery::Publish(TPublisher<TfGallery>& p) {
    p.Field(L"Pages", &TfGallery::Pages);
    p.Field(L"MemoLog", &TfGallery::MemoLog);
    p.Field(L"stGallery", &TfGallery::stGallery);
    p.Field(L"MainMenu1", &TfGallery::MainMenu1);
    p.Field(L"miSkinSlate", &TfGallery::miSkinSlate);
    p.Field(L"miSkinJade", &TfGallery::miSkinJade);
    p.Field(L"miSkinNight", &TfGallery::miSkinNight);
    p.Field(L"miSkinFile", &TfGallery::miSkinFile);
    p.Field(L"miSkinNone", &TfGallery::miSkinNone);
    p.Field(L"pmExample", &TfGallery::pmExample);
    p.Field(L"SkinData1", &TfGallery::SkinData1);
    p.Method(L"FormCreate", &TfGallery::FormCreate);
    p.Method(L"FormMouseUp", &TfGallery::FormMouseUp);
    p.Method(L"btnMessageClick", &TfGallery::btnMessageClick);
    p.Method(L"btnQuestionClick", &TfGallery::btnQuestionClick);
    p.Method(L"btnOpenFileClick", &TfGallery::btnOpenFileClick);
    p.Method(L"btnFolderClick", &TfGallery::btnFolderClick);
    p.Method(L"btnModalClick", &TfGallery::btnModalClick);
    p.Method(L"btnMdiClick", &TfGallery::btnMdiClick);
    p.Method(L"lbLinkClick", &TfGallery::lbLinkClick);
    p.Method(L"miExitClick", &TfGallery::miExitClick);
    p.Method(L"miSkinClick", &TfGallery::miSkinClick);
    p.Method(L"miSkinFileClick", &TfGallery::miSkinFileClick);
}

void TfGallery::Log(const std::wstring& line) {
    MemoLog->Lines()->Add(line);
}

namespace {

// Four 16 x 16 glyphs for the popup menu (open, save, favourite, delete), drawn on white.
void DrawGlyphs(TImageList& glyphs) {
    TBitmap strip(64, 16);
    TCanvas& c = strip.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(RECT{0, 0, 64, 16});
    c.Pen().SetColor(TColor(0x2F4A6B));
    c.Brush().SetColor(TColor(0x3CB4F0));
    const POINT folder[] = {{1, 4}, {6, 4}, {8, 6}, {14, 6}, {14, 13}, {1, 13}};
    c.Polygon(folder);
    c.Brush().SetColor(TColor(0xB07030));
    c.Rectangle(RECT{17, 2, 31, 14});
    c.Brush().SetColor(clWhite);
    c.Rectangle(RECT{20, 3, 28, 8});
    c.Brush().SetColor(TColor(0x20B8E8));
    const POINT star[] = {{40, 1}, {42, 6}, {47, 6}, {43, 9}, {45, 14}, {40, 11}, {35, 14}, {37, 9}, {33, 6}, {38, 6}};
    c.Polygon(star);
    c.Pen().SetColor(TColor(0x2020C0));
    c.Pen().SetWidth(2);
    c.MoveTo(51, 3);
    c.LineTo(61, 13);
    c.MoveTo(61, 3);
    c.LineTo(51, 13);
    glyphs.AddMasked(strip, clWhite);
}

} // namespace

// The states a stored form cannot hold: check marks, disabled and header items, the images.
void TfGallery::ShowStates(const std::wstring& suffix) {
    if (auto* list = dynamic_cast<TCheckListBox*>(FindComponent(L"clbOptions" + suffix))) {
        list->SetHeader(0, true);
        list->SetState(1, cbChecked);
        list->SetState(3, cbGrayed);
        list->SetItemEnabled(4, false);
    }
    if (auto* header = dynamic_cast<THeaderControl*>(FindComponent(L"hcColumns" + suffix))) {
        header->SetImages(&FGlyphs);
        header->Sections()->Items(0)->SetImageIndex(0);
    }
    if (auto* bar = dynamic_cast<TToolBar*>(FindComponent(L"tbMain" + suffix))) {
        bar->SetImages(&FGlyphs);
        bar->Buttons(0)->SetImageIndex(0);
    }
    if (auto* tabs = dynamic_cast<TTabControl*>(FindComponent(L"tcTop" + suffix))) tabs->SetImages(&FGlyphs);
    if (auto* tree = dynamic_cast<TTreeView*>(FindComponent(L"tvFolders" + suffix))) {
        tree->SetImages(&FGlyphs);
        TTreeNode* reports = tree->Items()->GetFirstNode()->GetFirstChild();
        reports->SetChecked(true);
        reports->GetFirstChild()->SetChecked(true);
    }
}

void TfGallery::FormCreate(TObject*) {
    Application->OnHint = [this](TObject*) { stGallery->SetSimpleText(L" " + Application->Hint()); };
    DrawGlyphs(FGlyphs);
    pmExample->SetImages(&FGlyphs);
    ShowStates(L"Skinned");
    ShowStates(L"Twin");
    FSkins = std::make_unique<TSkinChooser>(*SkinData1);
    FillScrollingPage();
    Log(L"Skin: " + SkinData1->SkinName() + L". The Skin menu switches it.");
}

// The scrolling page's memos and lists get enough lines to scroll through.
void TfGallery::FillScrollingPage() {
    for (const wchar_t* suffix : {L"Skinned", L"Twin"}) {
        if (auto* memo = dynamic_cast<TMemo*>(FindComponent(std::wstring(L"MemoScroll") + suffix))) {
            std::wstring text;
            for (int i = 1; i <= 200; ++i) text += L"Line " + std::to_wstring(i) + L" of the scrolling memo\r\n";
            memo->SetText(text);
        }
        if (auto* list = dynamic_cast<TListBox*>(FindComponent(std::wstring(L"lbScroll") + suffix)))
            for (int i = 1; i <= 40; ++i) list->Items()->Add(L"Item " + std::to_wstring(i));
    }
}

void TfGallery::UseSkinFile(const std::wstring& path) {
    SkinChosen(miSkinFile, FSkins->UseFile(path));
}

void TfGallery::SkinChosen(TMenuItem* item, const std::wstring& refused) {
    if (!refused.empty()) {
        Log(L"Skin refused: " + refused);
        Application->MessageBox(L"The skin was not loaded:\n" + refused, L"", MB_OK | MB_ICONWARNING);
        return;
    }
    item->SetChecked(true);
    Log(L"Skin: " + (SkinData1->Active() ? SkinData1->SkinName() : std::wstring(L"none")));
}

void TfGallery::miSkinClick(TObject* Sender) {
    if (Sender == miSkinNone) {
        FSkins->UseNone();
        SkinChosen(miSkinNone, {});
    } else if (Sender == miSkinJade) {
        SkinChosen(miSkinJade, FSkins->UseResource(L"JADESKIN"));
    } else if (Sender == miSkinNight) {
        SkinChosen(miSkinNight, FSkins->UseResource(L"NIGHTSKIN"));
    } else {
        SkinChosen(miSkinSlate, FSkins->UseStored());
    }
}

void TfGallery::miSkinFileClick(TObject*) {
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(L"Skin stores (*.skn)|*.skn|All files (*.*)|*.*");
    if (dialog.Execute(Handle())) UseSkinFile(dialog.FileName());
}

void TfGallery::FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
    auto* control = dynamic_cast<TControl*>(Sender);
    if (Button != mbRight || !control) return;
    const POINT p = control->ClientToScreen(POINT{X, Y});
    pmExample->Popup(p.x, p.y);
}

void TfGallery::btnMessageClick(TObject*) {
    Application->MessageBox(L"A message box of the platform, skinned: its frame, its caption and its buttons.", L"",
                            MB_OK | MB_ICONINFORMATION);
}

void TfGallery::btnQuestionClick(TObject*) {
    const int answer = Application->MessageBox(L"Split the file into pieces of 3000 lines?", L"A question",
                                               MB_YESNOCANCEL | MB_ICONQUESTION);
    Log(answer == IDYES ? L"Answered: yes" : answer == IDNO ? L"Answered: no" : L"Answered: cancel");
}

void TfGallery::btnOpenFileClick(TObject*) {
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(L"Text files (*.txt)|*.txt|All files (*.*)|*.*");
    Log(dialog.Execute(Handle()) ? L"Open: " + dialog.FileName() : std::wstring(L"Open: cancelled"));
}

void TfGallery::btnFolderClick(TObject*) {
    const TBrowseFolderResult folder = BrowseForFolder(Handle(), L"Choose the folder the pieces go to");
    Log(folder.Ok ? L"Folder: " + folder.Path : std::wstring(L"Folder: cancelled"));
}

void TfGallery::btnModalClick(TObject*) {
    // A dialog of the program's own, made in code.
    TForm dialog(nullptr);
    dialog.SetBorderStyle(bsDialog);
    dialog.SetCaption(L"A modal form");
    dialog.SetPosition(poOwnerFormCenter);
    dialog.SetClientSize(320, 120);
    auto* label = new TLabel(&dialog);
    label->SetParent(&dialog);
    label->SetBounds(16, 16, 290, 16);
    label->SetCaption(L"Lines per piece:");
    auto* edit = new TEdit(&dialog);
    edit->SetParent(&dialog);
    edit->SetBounds(16, 38, 288, 21);
    edit->SetText(L"3000");
    auto* ok = new TButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetBounds(148, 80, 75, 25);
    ok->SetCaption(L"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = new TButton(&dialog);
    cancel->SetParent(&dialog);
    cancel->SetBounds(229, 80, 75, 25);
    cancel->SetCaption(L"Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    Log(dialog.ShowModal() == mrOk ? L"Modal form: OK, " + edit->Text() : std::wstring(L"Modal form: cancelled"));
}

void TfGallery::btnMdiClick(TObject*) {
    OpenMdiGallery(this);
    Log(L"MDI frame: a memo, settings, a report with its own menu, a fixed-size window.");
}

void TfGallery::lbLinkClick(TObject*) {
    Application->MessageBox(L"The Orvo skin gallery shows every control family of the skin engine.", L"",
                            MB_OK | MB_ICONINFORMATION);
}

void TfGallery::miExitClick(TObject*) {
    Application->Terminate();
}

} // namespace orvo

#include "examples/example_form.h"

#include "framework/forms/application.h"
#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/dialogs/dialogs.h"
#include "examples/skin_chooser.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TfExample);

TfExample* fExample = nullptr;

TfExample::TfExample(TComponent* owner) : TForm(owner) {}

TfExample::~TfExample() = default;

void TfExample::Publish(TPublisher<TfExample>& p) {
    p.Field(L"GroupBox1", &TfExample::GroupBox1);
    p.Field(L"btnBrowse", &TfExample::btnBrowse);
    p.Field(L"edtFile", &TfExample::edtFile);
    p.Field(L"GroupBox2", &TfExample::GroupBox2);
    p.Field(L"lbLines", &TfExample::lbLines);
    p.Field(L"lbLimit", &TfExample::lbLimit);
    p.Field(L"edtLines", &TfExample::edtLines);
    p.Field(L"ckSameDir", &TfExample::ckSameDir);
    p.Field(L"ckGrayed", &TfExample::ckGrayed);
    p.Field(L"Panel1", &TfExample::Panel1);
    p.Field(L"lbInPanel", &TfExample::lbInPanel);
    p.Field(L"Image1", &TfExample::Image1);
    p.Field(L"lbTitle", &TfExample::lbTitle);
    p.Field(L"lbVersion", &TfExample::lbVersion);
    p.Field(L"lbLink", &TfExample::lbLink);
    p.Field(L"MemoLog", &TfExample::MemoLog);
    p.Field(L"pnStatus", &TfExample::pnStatus);
    p.Field(L"btnOk", &TfExample::btnOk);
    p.Field(L"btnCancel", &TfExample::btnCancel);
    p.Field(L"MainMenu1", &TfExample::MainMenu1);
    p.Field(L"miSkinSlate", &TfExample::miSkinSlate);
    p.Field(L"miSkinJade", &TfExample::miSkinJade);
    p.Field(L"miSkinFile", &TfExample::miSkinFile);
    p.Field(L"miSkinNone", &TfExample::miSkinNone);
    p.Field(L"pmExample", &TfExample::pmExample);
    p.Field(L"SkinData1", &TfExample::SkinData1);
    p.Field(L"gbSkinned", &TfExample::gbSkinned);
    p.Field(L"gbTwin", &TfExample::gbTwin);
    p.Field(L"bbSkinned", &TfExample::bbSkinned);
    p.Field(L"mbSkinned", &TfExample::mbSkinned);
    p.Field(L"sbDownSkinned", &TfExample::sbDownSkinned);
    p.Field(L"rb1Skinned", &TfExample::rb1Skinned);
    p.Field(L"rgSkinned", &TfExample::rgSkinned);
    p.Field(L"stSkinned", &TfExample::stSkinned);
    p.Method(L"FormCreate", &TfExample::FormCreate);
    p.Method(L"btnBrowseClick", &TfExample::btnBrowseClick);
    p.Method(L"edtLinesKeyPress", &TfExample::edtLinesKeyPress);
    p.Method(L"ckSameDirClick", &TfExample::ckSameDirClick);
    p.Method(L"lbLinkClick", &TfExample::lbLinkClick);
    p.Method(L"btnOkClick", &TfExample::btnOkClick);
    p.Method(L"btnCancelClick", &TfExample::btnCancelClick);
    p.Method(L"miExitClick", &TfExample::miExitClick);
    p.Method(L"miSkinClick", &TfExample::miSkinClick);
    p.Method(L"miSkinFileClick", &TfExample::miSkinFileClick);
    p.Method(L"FormMouseUp", &TfExample::FormMouseUp);
}

void TfExample::Log(const std::wstring& line) {
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

void TfExample::FormCreate(TObject*) {
    Log(L"Created from the stored form.");
    Application->OnHint = [this](TObject*) { pnStatus->SetCaption(L" " + Application->Hint()); };
    DrawGlyphs(FGlyphs);
    pmExample->SetImages(&FGlyphs);
    FSkins = std::make_unique<TSkinChooser>(*SkinData1);
}

void TfExample::UseSkinFile(const std::wstring& path) {
    SkinChosen(miSkinFile, FSkins->UseFile(path));
}

void TfExample::SkinChosen(TMenuItem* item, const std::wstring& refused) {
    if (!refused.empty()) {
        Log(L"Skin refused: " + refused);
        Application->MessageBox(L"The skin was not loaded:\n" + refused, L"", MB_OK | MB_ICONWARNING);
        return;
    }
    item->SetChecked(true);
    Log(L"Skin: " + (SkinData1->Active() ? SkinData1->SkinName() : std::wstring(L"none")));
}

void TfExample::miSkinClick(TObject* Sender) {
    if (Sender == miSkinNone) {
        FSkins->UseNone();
        SkinChosen(miSkinNone, {});
    } else if (Sender == miSkinJade) {
        SkinChosen(miSkinJade, FSkins->UseResource(L"JADESKIN"));
    } else {
        SkinChosen(miSkinSlate, FSkins->UseStored());
    }
}

void TfExample::miSkinFileClick(TObject*) {
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(L"Skin stores (*.skn)|*.skn|All files (*.*)|*.*");
    if (dialog.Execute(Handle())) UseSkinFile(dialog.FileName());
}

void TfExample::FormMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button != mbRight) return;
    const POINT p = ClientToScreen(POINT{X, Y});
    pmExample->Popup(p.x, p.y);
}

void TfExample::btnBrowseClick(TObject*) {
    Log(L"Browse pressed.");
}

// Digits and backspace only; anything else ends the key press without a sound or a message.
void TfExample::edtLinesKeyPress(TObject*, wchar_t& Key) {
    if (Key != 8 && (Key < L'0' || Key > L'9')) Abort();
}

void TfExample::ckSameDirClick(TObject*) {
    edtFile->SetEnabled(!ckSameDir->Checked());
    Log(ckSameDir->Checked() ? L"Same directory: on" : L"Same directory: off");
}

void TfExample::lbLinkClick(TObject*) {
    Application->MessageBox(L"The Orvo framework example.", L"", MB_OK | MB_ICONINFORMATION);
}

void TfExample::btnOkClick(TObject*) {
    Log(L"Lines per piece: " + edtLines->Text());
}

void TfExample::btnCancelClick(TObject*) {
    Close();
}

void TfExample::miExitClick(TObject*) {
    Application->Terminate();
}

} // namespace orvo

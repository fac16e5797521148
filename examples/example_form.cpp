#include "examples/example_form.h"

#include "framework/forms/application.h"
#include "framework/base/exceptions.h"
#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TfExample);

TfExample* fExample = nullptr;

TfExample::TfExample(TComponent* owner) : TForm(owner) {}

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
    p.Method(L"FormCreate", &TfExample::FormCreate);
    p.Method(L"btnBrowseClick", &TfExample::btnBrowseClick);
    p.Method(L"edtLinesKeyPress", &TfExample::edtLinesKeyPress);
    p.Method(L"ckSameDirClick", &TfExample::ckSameDirClick);
    p.Method(L"lbLinkClick", &TfExample::lbLinkClick);
    p.Method(L"btnOkClick", &TfExample::btnOkClick);
    p.Method(L"btnCancelClick", &TfExample::btnCancelClick);
    p.Method(L"miExitClick", &TfExample::miExitClick);
}

void TfExample::Log(const std::wstring& line) {
    MemoLog->Lines()->Add(line);
}

void TfExample::FormCreate(TObject*) {
    Log(L"Created from the stored form.");
    Application->OnHint = [this](TObject*) { pnStatus->SetCaption(L" " + Application->Hint()); };
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

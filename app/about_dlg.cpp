#include "app/about_dlg.h"

#include "app/const_var.h"
#include "app/program.h"
#include "app/shell_calls.h"
#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TfAboutDlg);

TfAboutDlg* fAboutDlg = nullptr;

namespace {
constexpr wchar_t AboutWord[] = L"关于";
constexpr wchar_t SitePage[] = L"http://www.orvo.example";
} // namespace

TfAboutDlg::TfAboutDlg(TComponent* owner) : TForm(owner) {}

TfAboutDlg::~TfAboutDlg() {
    DestroyComponents();
    // The main window makes a new one when the dialog is asked for again.
    if (fAboutDlg == this) fAboutDlg = nullptr;
}

void TfAboutDlg::Publish(TPublisher<TfAboutDlg>& p) {
    p.Field(L"Image1", &TfAboutDlg::Image1);
    p.Field(L"Label1", &TfAboutDlg::Label1);
    p.Field(L"Label2", &TfAboutDlg::Label2);
    p.Field(L"Label3", &TfAboutDlg::Label3);
    p.Field(L"btnClose", &TfAboutDlg::btnClose);
    p.Field(L"Edit1", &TfAboutDlg::Edit1);
    p.Method(L"FormCreate", &TfAboutDlg::FormCreate);
    p.Method(L"Label3Click", &TfAboutDlg::Label3Click);
    p.Method(L"btnCloseClick", &TfAboutDlg::btnCloseClick);
}

void TfAboutDlg::FormCreate(TObject*) {
    SetCaption(std::wstring(AboutWord) + L" " + ProductName + L" " + std::wstring(TConstVar::SiteHost));
}

void TfAboutDlg::Label3Click(TObject*) {
    ShellExecuteCall(Handle(), L"open", SitePage, L"", nullptr, SW_SHOWNORMAL);
}

void TfAboutDlg::btnCloseClick(TObject*) {
    Close();
}

} // namespace orvo

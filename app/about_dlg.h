// TfAboutDlg: the About dialog (product name, version, site link and picture), shown modally from
// the main window's menu. Built from its stored description (about_dlg.form.in).
#pragma once

#include "framework/controls/button.h"
#include "framework/controls/edit.h"
#include "framework/forms/forms.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"

namespace orvo {

class TfAboutDlg : public TForm {
    ORVO_CLASS(TfAboutDlg, TForm)
public:
    explicit TfAboutDlg(TComponent* owner);
    ~TfAboutDlg() override;
    static void Publish(TPublisher<TfAboutDlg>& p);

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TButton* btnClose = nullptr;
    TEdit* Edit1 = nullptr;

    void FormCreate(TObject* Sender);
    void Label3Click(TObject* Sender);
    void btnCloseClick(TObject* Sender);
};

extern TfAboutDlg* fAboutDlg;

} // namespace orvo

#include "app/program.h"

#include "app/about_dlg.h"
#include "app/main_win.h"
#include "framework/forms/application.h"

namespace orvo {

void StartProgram() {
    Application->Initialize();
    Application->SetTitle(ProductName);
    Application->CreateForm(fMainWin);
    Application->CreateForm(fAboutDlg);
}

} // namespace orvo

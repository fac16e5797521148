#include "app/program.h"

#include "app/about_dlg.h"
#include "app/main_win.h"
#include "framework/forms/application.h"
#include "skin/manager/skin_manager.h"

namespace orvo {

void StartProgram() {
    Application->Initialize();
    InstallSkinEngine();
    Application->SetTitle(ProductName);
    Application->CreateForm(fMainWin);
    Application->CreateForm(fAboutDlg);
}

} // namespace orvo

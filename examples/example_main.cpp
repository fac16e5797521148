// orvo-example: shows the example form until it is closed.
#include "examples/example_form.h"

#include "framework/forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace orvo;
    Application->Initialize();
    Application->SetTitle(L"Orvo framework example");
    Application->CreateForm(fExample);
    Application->Run();
    return 0;
}

// The demo host: the "Test Window" with the Object Inspector, and the sample form to design.
#include "test.h"

#include "ui/Application.h"

int main() {
    Application->Initialize();
    RegisterDemoClasses();
    Application->SetTitle("Formwright");
    CreateDemoForms();
    Application->Run();
    return 0;
}

// The demo host: starts the application and shows the sample form.
#include "testform.h"

#include "components/StandardComponents.h"
#include "ui/Application.h"
#include "widgets/GridAndListControls.h"
#include "widgets/StandardControls.h"

int main() {
    Application->Initialize();
    RegisterStandardControls();
    RegisterGridAndListControls();
    RegisterStandardComponents();
    Application->SetTitle("Formwright");
    Application->CreateForm(TForm2::StaticClass());
    Application->Run();
    return 0;
}

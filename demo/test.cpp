#include "test.h"
#include "core/ClassRegistry.h"

#include "testform.h"

#include "Formwright.h"
#include "FormwrightText.h"
#include "ObjectInspector.h"
#include "components/Query.h"
#include "components/Table.h"
#include "dialogs/FileDialogs.h"
#include "ui/Application.h"
#include "widgets/Button.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/SpeedButton.h"

TForm1* Form1 = nullptr;

FW_PUBLISH(TForm1) {
    FW_PUBLISH_FIELD(Button1);
    FW_PUBLISH_FIELD(Button5);
    FW_PUBLISH_FIELD(Button2);
    FW_PUBLISH_FIELD(Button3);
    FW_PUBLISH_FIELD(Button4);
    FW_PUBLISH_FIELD(SpeedButton1);
    FW_PUBLISH_FIELD(SpeedButton2);
    FW_PUBLISH_FIELD(SpeedButton3);
    FW_PUBLISH_FIELD(SpeedButton4);
    FW_PUBLISH_FIELD(SpeedButton5);
    FW_PUBLISH_FIELD(SaveDialog1);
    FW_PUBLISH_FIELD(OpenDialog1);
    FW_PUBLISH_METHOD(FormCreate);
    FW_PUBLISH_METHOD(Button1Click);
    FW_PUBLISH_METHOD(Button5Click);
    FW_PUBLISH_METHOD(Button2Click);
    FW_PUBLISH_METHOD(Button3Click);
    FW_PUBLISH_METHOD(Button4Click);
    FW_PUBLISH_METHOD(SpeedButton1Click);
    FW_PUBLISH_METHOD(SpeedButton2Click);
    FW_PUBLISH_METHOD(SpeedButton3Click);
    FW_PUBLISH_METHOD(SpeedButton4Click);
    FW_PUBLISH_METHOD(SpeedButton5Click);
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    InitializeForm();
}

void TForm1::FormCreate(TObject*) {
    FInspector = TObjectInspector::CreateWithDesigner(TFormwright::StaticClass());
    FInspector->Show();
    FDesigner = dynamic_cast<TFormwright*>(FInspector->OwnedDesigner());
}

void TForm1::Button1Click(TObject*) {
    Form2->Show();
    FDesigner->SetRoot(Form2);
}

void TForm1::Button5Click(TObject*) {
    Form2->Show();
    FDesigner->SetRoot(Form2->Panel1);
}

void TForm1::Button2Click(TObject*) {
    FDesigner->SetRoot(nullptr);
}

void TForm1::Button3Click(TObject*) {
    if (SaveDialog1->Execute()) SaveRootToTextFile(FDesigner, SaveDialog1->FileName());
}

void TForm1::Button4Click(TObject*) {
    if (OpenDialog1->Execute()) LoadRootFromTextFile(FDesigner, OpenDialog1->FileName());
}

void TForm1::SpeedButton1Click(TObject*) {
    FDesigner->SetClassToPlace(TTable::StaticClass());
}

void TForm1::SpeedButton2Click(TObject*) {
    FDesigner->SetClassToPlace(TQuery::StaticClass());
}

void TForm1::SpeedButton3Click(TObject*) {
    FDesigner->SetClassToPlace(TLabel::StaticClass());
}

void TForm1::SpeedButton4Click(TObject*) {
    FDesigner->SetClassToPlace(TButton::StaticClass());
}

void TForm1::SpeedButton5Click(TObject*) {
    FDesigner->SetClassToPlace(TPanel::StaticClass());
}

void RegisterDemoClasses() {
    RegisterStreamableClasses();
}

void CreateDemoForms() {
    Form1 = static_cast<TForm1*>(Application->CreateForm(TForm1::StaticClass()));
    Form2 = static_cast<TForm2*>(Application->CreateForm(TForm2::StaticClass()));
    Form2->Show();
}

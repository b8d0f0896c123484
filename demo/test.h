// TForm1: the demo host's control window, "Test Window". Its buttons start and stop designing the sample
// form (Form2, or its Panel1), save and load the designed form as text, and choose the class that the next
// click on the designed surface places. Each button is one call into the designer.
//
// At creation it makes the Object Inspector with the designer class TFormwright and shows it; the
// inspector owns the one designer, which this form only uses.
#pragma once

#include "ui/Form.h"

class TButton;
class TFormwright;
class TObjectInspector;
class TOpenDialog;
class TSaveDialog;
class TSpeedButton;

class TForm1 : public TForm {
    FW_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* owner);

    TButton* Button1 = nullptr;           // "Edit Form2"
    TButton* Button5 = nullptr;           // "Edit Form2.Panel1"
    TButton* Button2 = nullptr;           // "EndEdit"
    TButton* Button3 = nullptr;           // "Save To Text"
    TButton* Button4 = nullptr;           // "Load From Text"
    TSpeedButton* SpeedButton1 = nullptr; // "Table"
    TSpeedButton* SpeedButton2 = nullptr; // "Query"
    TSpeedButton* SpeedButton3 = nullptr; // "Label"
    TSpeedButton* SpeedButton4 = nullptr; // "Button"
    TSpeedButton* SpeedButton5 = nullptr; // "Panel"
    TSaveDialog* SaveDialog1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button5Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);

    // Set once when the form is created; the form frees neither.
    TObjectInspector* Inspector() const { return FInspector; }
    TFormwright* Designer() const { return FDesigner; }

private:
    TObjectInspector* FInspector = nullptr;
    TFormwright* FDesigner = nullptr;
};

extern TForm1* Form1;

// Registers the classes the demo's forms and the designer's placements need (once).
void RegisterDemoClasses();
// The program's start-up after the application is initialised: Form1 as the main form (its creation makes
// and shows the inspector), then Form2, shown.
void CreateDemoForms();

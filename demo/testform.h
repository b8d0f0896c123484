// TForm2: the demo's sample form, the thing being designed. It has no code: everything comes from its form
// resource (testform.form), so the sample exercises windowed controls, a graphic control with a picture, a
// container with a child, a grid and two non-visual components.
#pragma once

#include "ui/Form.h"

class TLabel;
class TImage;
class TButton;
class TPanel;
class TStringGrid;
class TTable;
class TQuery;

class TForm2 : public TForm {
    FW_CLASS(TForm2, TForm)
public:
    explicit TForm2(TComponent* owner);

    TLabel* Label1 = nullptr;
    TImage* Image1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* Button3 = nullptr;
    TStringGrid* StringGrid1 = nullptr;
    TTable* Table1 = nullptr;
    TQuery* Query1 = nullptr;
};

extern TForm2* Form2; // the sample form of the running demo

#include "testform.h"

#include "components/Query.h"
#include "components/Table.h"
#include "widgets/Button.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/StringGrid.h"

TForm2* Form2 = nullptr;

FW_PUBLISH(TForm2) {
    FW_PUBLISH_FIELD(Label1);
    FW_PUBLISH_FIELD(Image1);
    FW_PUBLISH_FIELD(Button1);
    FW_PUBLISH_FIELD(Button2);
    FW_PUBLISH_FIELD(Panel1);
    FW_PUBLISH_FIELD(Button3);
    FW_PUBLISH_FIELD(StringGrid1);
    FW_PUBLISH_FIELD(Table1);
    FW_PUBLISH_FIELD(Query1);
}

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    InitializeForm();
}

#include "widgets/StandardControls.h"

#include "core/ClassRegistry.h"

void RegisterStandardControls() {
    RegisterClasses({TButton::StaticClass(), TBitBtn::StaticClass(), TSpeedButton::StaticClass(),
                     TLabel::StaticClass(), TEdit::StaticClass(), TPanel::StaticClass(),
                     TBevel::StaticClass(), TShape::StaticClass(), TImage::StaticClass(),
                     TGroupBox::StaticClass(), TRadioButton::StaticClass(), TCheckBox::StaticClass()});
}

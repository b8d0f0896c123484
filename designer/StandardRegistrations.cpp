// The system's start-up registrations of property editors, in their fixed order (the last one made is the
// first one examined), and of component editors.
#include "SpecialisedEditors.h"

#include "EditorRegistry.h"
#include "PictureProperties.h"
#include "components/MediaPlayer.h"
#include "core/DateTypes.h"
#include "graphics/Font.h"
#include "graphics/Picture.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/WinControl.h"
#include "widgets/Image.h"

void RegisterStandardPropertyEditors() {
    RegisterPropertyEditor(TypeInfoOf<TFontName>(), TFont::StaticClass(), "Name",
                           PropertyEditorClassOf<TFontNameProperty>());
    RegisterPropertyEditor(TypeInfoOf<TFontCharset>(), TFont::StaticClass(), "Charset",
                           PropertyEditorClassOf<TFontCharsetProperty>());
    RegisterPropertyEditor(TypeInfoOf<TColor>(), nullptr, "", PropertyEditorClassOf<TColorProperty>());
    RegisterPropertyEditor(TypeInfoOf<TFont*>(), nullptr, "", PropertyEditorClassOf<TFontProperty>());
    RegisterPropertyEditor(TypeInfoOf<TCursor>(), nullptr, "", PropertyEditorClassOf<TCursorProperty>());
    RegisterPropertyEditor(TypeInfoOf<TCaption>(), nullptr, "", PropertyEditorClassOf<TCaptionProperty>());
    RegisterPropertyEditor(TypeInfoOf<TModalResult>(), nullptr, "",
                           PropertyEditorClassOf<TModalResultProperty>());
    RegisterPropertyEditor(TypeInfoOf<std::string>(), TMediaPlayer::StaticClass(), "FileName",
                           PropertyEditorClassOf<TMPFilenameProperty>());
    RegisterPropertyEditor(TypeInfoOf<TTabOrder>(), nullptr, "", PropertyEditorClassOf<TTabOrderProperty>());
    RegisterPropertyEditor(TypeInfoOf<TDate>(), nullptr, "", PropertyEditorClassOf<TDateProperty>());
    RegisterPropertyEditor(TypeInfoOf<TTime>(), nullptr, "", PropertyEditorClassOf<TTimeProperty>());
    RegisterPropertyEditor(TypeInfoOf<TDateTime>(), nullptr, "", PropertyEditorClassOf<TDateTimeProperty>());
    RegisterPropertyEditor(TypeInfoOf<TPicture*>(), nullptr, "", PropertyEditorClassOf<TPictureProperty>());
    RegisterPropertyEditor(TypeInfoOf<TGraphic*>(), nullptr, "", PropertyEditorClassOf<TGraphicProperty>());
}

void RegisterStandardComponentEditors() {
    RegisterComponentEditor(TImage::StaticClass(), ComponentEditorClassOf<TGraphicEditor>());
}

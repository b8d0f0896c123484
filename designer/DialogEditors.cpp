// The edit actions that open common dialogs: colour (with the user's custom colours kept in the
// settings), font, and the media player's file name.
#include "SpecialisedEditors.h"

#include "core/ScopeGuard.h"
#include "core/Strings.h"
#include "dialogs/ColorDialog.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/FontDialog.h"
#include "graphics/Font.h"
#include "settings/RegIniFile.h"
#include "ui/Application.h"

#include <memory>

namespace {

constexpr int ColorDialogHelpContext = 25010;
constexpr int FontDialogHelpContext = 25000;
constexpr int FileDialogHelpContext = 25020;

void WriteCustomColors(TRegIniFile& settings, const TStrings& colors) {
    for (int i = 0; i < colors.Count(); ++i) {
        const std::string line = colors.Strings(i);
        if (line.find('=') == std::string::npos) continue;
        const std::string name = colors.Names(i);
        settings.WriteString(TColorProperty::CustomColorsSection, name, colors.Values(name));
    }
}

} // namespace

void TColorProperty::Edit() {
    auto dialog = std::make_unique<TColorDialog>(Application);
    // Settings that cannot be opened or read only cost the user the saved custom colours; the colour
    // can still be chosen.
    std::unique_ptr<TRegIniFile> settings;
    try {
        settings = std::make_unique<TRegIniFile>(CustomColorsKey);
        settings->ReadSectionValues(CustomColorsSection, *dialog->CustomColors());
    } catch (const Exception&) {
    }
    dialog->SetColor(static_cast<TColor>(GetOrdValue()));
    dialog->SetHelpContext(ColorDialogHelpContext);
    dialog->SetOptions({cdShowHelp});
    const bool accepted = dialog->Execute();
    // The custom colours are the user's own work: they are written back whether or not the colour was
    // accepted, and also when storing the accepted colour fails.
    const auto writeBack = ScopeGuard([&] {
        if (settings) WriteCustomColors(*settings, *dialog->CustomColors());
    });
    if (accepted) SetOrdValue(dialog->Color());
}

void TFontProperty::Edit() {
    auto dialog = std::make_unique<TFontDialog>(Application);
    if (auto* font = dynamic_cast<TFont*>(reinterpret_cast<TObject*>(static_cast<intptr_t>(GetOrdValue()))))
        dialog->SetFont(font);
    dialog->SetHelpContext(FontDialogHelpContext);
    dialog->SetOptions(dialog->Options() + TFontDialogOptions{fdForceFontExist, fdShowHelp});
    if (dialog->Execute()) SetOrdValue(static_cast<int64_t>(reinterpret_cast<intptr_t>(dialog->Font())));
}

void TMPFilenameProperty::Edit() {
    auto dialog = std::make_unique<TOpenDialog>(Application);
    dialog->SetFileName(GetValue());
    dialog->SetFilter(Filter);
    dialog->SetHelpContext(FileDialogHelpContext);
    dialog->SetOptions(dialog->Options() + TOpenOptions{ofShowHelp, ofPathMustExist, ofFileMustExist});
    if (dialog->Execute()) SetValue(dialog->FileName());
}

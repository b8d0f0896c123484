// The edit actions that open common dialogs: colour (with the user's custom colours kept in the
// settings), font, and the media player's file name.
#include "SpecialisedEditors.h"

#include "core/ScopeGuard.h"
#include "core/StringList.h"
#include "core/Strings.h"
#include "core/SysUtils.h"
#include "dialogs/ColorDialog.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/FontDialog.h"
#include "graphics/Font.h"
#include "settings/RegIniFile.h"
#include "ui/Application.h"

#include <memory>
#include <unordered_map>

namespace {

constexpr int ColorDialogHelpContext = 25010;
constexpr int FontDialogHelpContext = 25000;
constexpr int FileDialogHelpContext = 25020;

// Each "name=value" line's name gets the value the list gives that name. Only values that differ from the
// settings are written, and as one change to the file: a dialog whose custom colours the user left alone
// writes nothing, however many the settings hold.
void WriteCustomColors(TRegIniFile& settings, const TStrings& colors) {
    const char* section = TColorProperty::CustomColorsSection;
    const auto update = UpdateScope(settings);
    // The value of each name's first line, by the name as the list compares names: ASCII letter case
    // ignored unless the list says otherwise.
    const auto* list = dynamic_cast<const TStringList*>(&colors);
    const bool caseSensitive = list && list->CaseSensitive();
    std::unordered_map<std::string, std::string> firstValueOf;
    for (int i = 0; i < colors.Count(); ++i) {
        const std::string line = colors.Strings(i);
        const size_t separator = line.find('=');
        if (separator == std::string::npos) continue;
        const std::string name = line.substr(0, separator);
        const std::string& value =
            firstValueOf.try_emplace(caseSensitive ? name : UpperCase(name), line.substr(separator + 1))
                .first->second;
        if (settings.ValueExists(section, name) && settings.ReadString(section, name) == value) continue;
        settings.WriteString(section, name, value);
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

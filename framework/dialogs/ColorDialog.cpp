// TColorDialog over Qt's widget-based colour dialog.
#include "dialogs/ColorDialog.h"
#include "core/ClassRegistry.h"

#include "core/StringList.h"
#include "core/SysUtils.h"
#include "dialogs/DialogWindow.h"
#include "graphics/QtConvert.h"
#include "ui/Application.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>

FW_PUBLISH(TColorDialog) {
    p.Property("Color", &TColorDialog::Color, &TColorDialog::SetColor).Default(clBlack);
    p.Property("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors);
    p.Property("Options", &TColorDialog::Options, &TColorDialog::SetOptions).Default(TColorDialogOptions{});
}
FW_STREAMABLE(TColorDialog);

namespace {
constexpr int CustomColorCount = 16;

std::string CustomColorName(int index) {
    return std::string("Color") + static_cast<char>('A' + index);
}
} // namespace

bool ParseCustomColor(const std::string& value, TColor& color) {
    if (value.empty() || value.size() > 6) return false;
    uint32_t result = 0;
    for (char c : value) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        result = result * 16 + static_cast<uint32_t>(digit);
    }
    color = static_cast<TColor>(result);
    return true;
}

TColorDialog::TColorDialog(TComponent* owner)
    : TCommonDialog(owner), FCustomColors(std::make_unique<TStringList>()) {
}

TColorDialog::~TColorDialog() = default;

TStrings* TColorDialog::CustomColors() const {
    return FCustomColors.get();
}

void TColorDialog::SetCustomColors(TStrings* colors) {
    if (colors)
        FCustomColors->Assign(*colors);
    else
        FCustomColors->Clear();
}

bool TColorDialog::Execute() {
    static const bool registered = (RegisterDialogClass<QColorDialog>("FwColorDialog"), true);
    (void)registered;
    Application->Initialize();
    // Qt keeps one set of custom colours for the program: load ours, and read them back afterwards.
    for (int i = 0; i < CustomColorCount; ++i) {
        TColor color = clWhite;
        if (!ParseCustomColor(FCustomColors->Values(CustomColorName(i)), color)) color = clWhite;
        QColorDialog::setCustomColor(i, ToQColor(color));
    }
    TDialogWindow window("FwColorDialog", Title().empty() ? "Color" : Title());
    auto* dialog = window.As<QColorDialog>();
    dialog->setOption(QColorDialog::DontUseNativeDialog, true);
    dialog->setCurrentColor(ToQColor(FColor));
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        window.SetPart(dpOK, buttons->button(QDialogButtonBox::Ok));
        window.SetPart(dpCancel, buttons->button(QDialogButtonBox::Cancel));
    }
    window.SetPart(dpColorName, BuddyOfLabel(dialog, QStringLiteral("HTML")));
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text().contains(QStringLiteral("Custom"), Qt::CaseInsensitive))
            window.SetPart(dpAddCustomColor, button);
    if (FOptions.Contains(cdShowHelp)) window.SetPart(dpHelp, AddHelpButton(dialog, this));

    const bool accepted = RunDialog(window);
    if (accepted) FColor = FromQColor(dialog->selectedColor());
    FCustomColors->BeginUpdate();
    for (int i = 0; i < CustomColorCount; ++i) {
        const TColor color = FromQColor(QColorDialog::customColor(i));
        FCustomColors->SetValue(CustomColorName(i), Format("%.6X", static_cast<int>(color)));
    }
    FCustomColors->EndUpdate();
    return accepted;
}

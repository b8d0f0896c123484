#include "widgets/BitBtn.h"
#include "core/ClassRegistry.h"

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/QtConvert.h"
#include "widgets/NativeButtons.h"
#include "widgets/StockGlyphs.h"

#include <QKeySequence>
#include <QPushButton>

FW_PUBLISH(TBitBtn) {
    // Published again with stored tests: a standard kind stores none of what it sets itself.
    p.Property("Cancel", &TBitBtn::Cancel, &TBitBtn::SetCancel).Default(false).Stored(&TBitBtn::IsCustom);
    p.Property("Caption", &TBitBtn::Caption, &TBitBtn::SetCaption).Stored(&TBitBtn::IsCustomCaption);
    p.Property("Default", &TBitBtn::Default, &TBitBtn::SetDefault).Default(false).Stored(&TBitBtn::IsCustom);
    p.Property("ModalResult", &TBitBtn::ModalResult, &TBitBtn::SetModalResult)
        .Default(mrNone)
        .Stored(&TBitBtn::IsCustom);
    p.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph).Stored(&TBitBtn::IsCustom);
    p.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
    p.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
    p.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
    p.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
        .Default(TNumGlyphs(1))
        .Stored(&TBitBtn::IsCustom);
    p.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
}
FW_STREAMABLE(TBitBtn);

namespace {
struct TKindInfo {
    const char* Caption;
    TModalResult Result;
};
constexpr TKindInfo kinds[] = {
    {"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll},
};
} // namespace

const char* BitBtnCaption(TBitBtnKind kind) {
    return kind <= bkAll ? kinds[kind].Caption : "";
}

TModalResult BitBtnModalResult(TBitBtnKind kind) {
    return kind <= bkAll ? kinds[kind].Result : mrNone;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = TNotifyEvent::Bind<&TBitBtn::GlyphChanged>(this);
}

TBitBtn::~TBitBtn() = default;

TBitBtnKind TBitBtn::Kind() const {
    if (FKind == bkCustom) return bkCustom;
    const bool isDefault = FKind == bkOK || FKind == bkYes;
    const bool isCancel = FKind == bkCancel || FKind == bkNo;
    if (Default() != isDefault || Cancel() != isCancel || ModalResult() != BitBtnModalResult(FKind) ||
        FModifiedGlyph)
        return bkCustom;
    return FKind;
}

void TBitBtn::SetKind(TBitBtnKind kind) {
    if (kind != bkCustom) {
        SetDefault(kind == bkOK || kind == bkYes);
        SetCancel(kind == bkCancel || kind == bkNo);
        // A form stores a kind's caption only when it differs, and before the kind.
        if (!ComponentState().Contains(csLoading) || Caption().empty()) SetCaption(BitBtnCaption(kind));
        SetModalResult(BitBtnModalResult(kind));
        FSettingGlyph = true;
        DrawStockGlyph(kind, *FGlyph);
        FSettingGlyph = false;
        FModifiedGlyph = false;
        FNumGlyphs = TNumGlyphs(1);
    }
    FKind = kind;
    Invalidate();
}

bool TBitBtn::IsCustomCaption() const {
    return Kind() == bkCustom || Caption() != BitBtnCaption(Kind());
}

void TBitBtn::GlyphChanged(TObject*) {
    if (!FSettingGlyph) FModifiedGlyph = true;
    Invalidate();
}

void TBitBtn::SetGlyph(TBitmap* glyph) {
    FGlyph->Assign(glyph);
}

void TBitBtn::SetNumGlyphs(TNumGlyphs value) {
    FNumGlyphs = TNumGlyphs(std::clamp<int>(value, 1, 4));
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) {
    FLayout = value;
    Invalidate();
}

void TBitBtn::SetMargin(int value) {
    FMargin = std::max(value, -1);
    Invalidate();
}

void TBitBtn::SetSpacing(int value) {
    FSpacing = std::max(value, -1);
    Invalidate();
}

void TBitBtn::Click() {
    TButton::Click();
    if (FKind == bkClose)
        if (TCustomForm* form = GetParentForm(this)) form->Close();
}

void TBitBtn::UpdateNativeCaption() {
    QAbstractButton* button = HandleAllocated() ? NativeButton(Handle()) : nullptr;
    if (!button) return;
    button->setText(QString());
    button->setShortcut(QKeySequence::mnemonic(ToQString(Caption())));
    button->update();
}

void TBitBtn::PaintWindow(TCanvas& canvas) {
    QAbstractButton* button = NativeButton(Handle());
    const bool pressed = button && button->isDown();
    TRect content = ClientRect();
    content.Inflate(-2, -2); // inside the native button's frame
    TGlyphState state = !Enabled() ? TGlyphState::Disabled : pressed ? TGlyphState::Pressed : TGlyphState::Up;
    canvas.Font()->Assign(Font());
    DrawButtonContent(canvas, content, FGlyph.get(), FNumGlyphs, state, Caption(), FLayout, FMargin, FSpacing,
                      pressed ? TPoint{1, 1} : TPoint{0, 0});
}

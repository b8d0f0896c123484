#include "widgets/Label.h"
#include "core/ClassRegistry.h"

#include "graphics/Canvas.h"
#include "graphics/QtConvert.h"
#include "ui/WinControl.h"
#include "ui/WindowRecord.h"
#include "widgets/StandardProperties.h"

#include <QKeySequence>
#include <QPointer>
#include <QShortcut>

FW_PUBLISH(TLabel) {
    PublishAlign(p);
    p.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
    p.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
    p.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    PublishColor(p, clBtnFace);
    PublishDragMode(p);
    PublishEnabled(p);
    p.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    PublishFont(p);
    p.Property("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
    PublishParentColor(p, true);
    PublishParentFont(p);
    p.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
    PublishShowHint(p);
    p.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
    PublishVisible(p);
    p.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
    p.Event("OnClick", &TLabel::OnClick);
    p.Event("OnDblClick", &TLabel::OnDblClick);
    PublishDragEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TLabel);

// The Alt+character shortcut of the label: a Qt shortcut on the parent's window, so that it works like
// the mnemonics of Qt's own buttons.
struct TLabel::TAccelerator {
    QPointer<QShortcut> Shortcut;
    QKeySequence Keys;
    ~TAccelerator() { delete Shortcut.data(); }
};

struct TLabel::TFocusWatcher : TComponent {
    explicit TFocusWatcher(TLabel* label) : TComponent(nullptr), Label(label) {}
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == Label->FFocusControl) {
            Label->FFocusControl = nullptr;
            Label->UpdateAccelerator();
        }
    }
    TLabel* Label;
};

TLabel::TLabel(TComponent* owner)
    : TGraphicControl(owner), FAccelerator(std::make_unique<TAccelerator>()),
      FFocusWatcher(std::make_unique<TFocusWatcher>(this)) {
    SetBounds(0, 0, 65, 17);
}

TLabel::~TLabel() = default;

unsigned TLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    else if (Caption().find_first_of("\r\n") == std::string::npos)
        flags |= DT_SINGLELINE; // measured exactly like TextWidth and TextHeight
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::Paint() {
    UpdateAccelerator();
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(r);
    }
    canvas.Brush()->SetStyle(bsClear);
    const unsigned flags = TextFlags();
    if (FLayout != tlTop) {
        TRect measure = r;
        canvas.DrawText(measure, Caption(), flags | DT_CALCRECT);
        const int free = r.Height() - measure.Height();
        r.Top += FLayout == tlBottom ? free : free / 2;
    }
    if (!Enabled()) {
        TRect shifted = r.Offsetted(1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        canvas.DrawText(shifted, Caption(), flags);
        canvas.Font()->SetColor(clBtnShadow);
    }
    canvas.DrawText(r, Caption(), flags);
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    std::string text = Caption();
    // An empty label keeps the height of a line.
    if (text.empty() || (FShowAccelChar && text == "&")) text += ' ';
    TRect r = ClientRect();
    canvas.DrawText(r, text, TextFlags() | DT_CALCRECT);
    const int width = FWordWrap ? Width() : r.Width(); // wrapped text keeps the width it wraps in
    const int left = FAlignment == taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, r.Height());
}

void TLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetLayout(TTextLayout value) {
    FLayout = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    FShowAccelChar = value;
    AdjustBounds();
    UpdateAccelerator();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
    FFocusControl = control;
    if (control) control->FreeNotification(FFocusWatcher.get());
    UpdateAccelerator();
}

void TLabel::SetParent(TWinControl* parent) {
    TGraphicControl::SetParent(parent);
    UpdateAccelerator();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustBounds();
    UpdateAccelerator();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::UpdateAccelerator() {
    if (!FAccelerator) return;
    QWidget* window = Parent() && Parent()->HandleAllocated() ? WidgetOf(Parent()->Handle()) : nullptr;
    QKeySequence keys;
    if (window && FFocusControl && FShowAccelChar && !ComponentState().Contains(csDesigning))
        keys = QKeySequence::mnemonic(ToQString(Caption()));
    TAccelerator& a = *FAccelerator;
    if (a.Keys == keys && (keys.isEmpty() || (a.Shortcut && a.Shortcut->parent() == window))) return;
    delete a.Shortcut.data();
    a.Keys = keys;
    if (keys.isEmpty()) return;
    a.Shortcut = new QShortcut(keys, window);
    QObject::connect(a.Shortcut, &QShortcut::activated, a.Shortcut, [this] { AcceleratorPressed(); });
}

void TLabel::AcceleratorPressed() {
    if (Enabled() && FFocusControl && FFocusControl->CanFocus()) FFocusControl->SetFocus();
}

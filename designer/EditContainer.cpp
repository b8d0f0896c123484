#include "EditContainer.h"

#include "Formwright.h"
#include "graphics/Bitmap.h"
#include "graphics/Brush.h"
#include "graphics/Canvas.h"
#include "streaming/Writer.h"
#include "ui/Messages.h"
#include "ui/Windows.h"

#include <algorithm>
#include <memory>

namespace {

constexpr TColor PlaceholderColor = clSilver;

// The picture of a class: the resource named like the class or its nearest ancestor, else "DEFAULT".
std::unique_ptr<TBitmap> ClassBitmap(TClass cls) {
    auto bitmap = std::make_unique<TBitmap>();
    for (; cls; cls = cls->Parent)
        if (bitmap->TryLoadFromResourceName(cls->Name)) return bitmap;
    bitmap->LoadFromResourceName("DEFAULT");
    return bitmap;
}

} // namespace

FW_PUBLISH(TEditContainer) {
}

TEditContainer::TEditContainer(TFormwright* designer, TComponent* component)
    : TCustomControl(nullptr), FComponent(component), FDesigner(designer) {
    SetVisible(false);
    designer->FPlaceholders.Add(this);
    component->FreeNotification(this);
    SetColor(PlaceholderColor);
    MoveToDesignPosition();
    SetDesigning(true);
    if (designer->RootWindow()) SetParentWindow(designer->RootWindow());
}

TEditContainer::~TEditContainer() {
    FDesigner->FPlaceholders.Remove(this);
}

void TEditContainer::MoveToDesignPosition() {
    const uint32_t info = FComponent->DesignInfo();
    SetBounds(static_cast<int>(info & 0xFFFF), static_cast<int>(info >> 16), BoxSize, BoxSize);
}

void TEditContainer::SetBounds(int left, int top, int, int) {
    // The design position is two unsigned halves: a box left of or above the root's client area would be
    // saved far off to the right or bottom and could not be found again.
    TCustomControl::SetBounds(std::max(left, 0), std::max(top, 0), BoxSize, BoxSize);
    StoreDesignPosition();
}

void TEditContainer::StoreDesignPosition() {
    const uint32_t info =
        (static_cast<uint32_t>(Top()) & 0xFFFF) << 16 | (static_cast<uint32_t>(Left()) & 0xFFFF);
    if (FComponent && FComponent->DesignInfo() != info) FComponent->SetDesignInfo(info);
}

void TEditContainer::WriteState(TWriter& writer) {
    writer.WriteComponent(FComponent);
}

void TEditContainer::ChangeName(const std::string& name) {
    FComponent->SetName(name);
}

void TEditContainer::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FComponent) {
        FComponent = nullptr;
        Perform(WM_DESIGNRELEASE, 1, 0);
        delete this;
    }
}

void TEditContainer::WndProc(TMessage& message) {
    if (message.Msg == WM_WINDOWPOSCHANGING) {
        TCustomControl::WndProc(message);
        if (WINDOWPOS* pos = TWMWindowPos::From(message).WindowPos) {
            pos->cx = BoxSize;
            pos->cy = BoxSize;
            pos->x = std::max(pos->x, 0);
            pos->y = std::max(pos->y, 0);
        }
        return;
    }
    TCustomControl::WndProc(message);
    // The window may be moved without SetBounds (by the windowing system or a designer command).
    if (message.Msg == WM_WINDOWPOSCHANGED && HandleAllocated()) {
        const TRect r = GetWindowRect(Handle());
        const TPoint topLeft = ::ScreenToClient(GetParent(Handle()), TPoint{r.Left, r.Top});
        const uint32_t info =
            (static_cast<uint32_t>(topLeft.Y) & 0xFFFF) << 16 | (static_cast<uint32_t>(topLeft.X) & 0xFFFF);
        if (FComponent && FComponent->DesignInfo() != info) FComponent->SetDesignInfo(info);
    }
}

void TEditContainer::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WndParent = FDesigner->RootWindow();
}

void TEditContainer::CreateWnd() {
    TCustomControl::CreateWnd();
    // Designing state shows a window as it is made; the box stays hidden until it is shown.
    if (!Visible()) ShowWindow(Handle(), SW_HIDE);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TEditContainer::VisibleChanged() {
    if (Visible()) {
        if (ParentWindow()) ShowWindow(Handle(), SW_SHOW);
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TEditContainer::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    TRect rect = ClientRect();
    canvas.DrawEdge(rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
    std::unique_ptr<TBitmap> bitmap = ClassBitmap(FComponent->ClassType());
    canvas.BrushCopy(rect, *bitmap, TRect(0, 0, bitmap->Width(), bitmap->Height()),
                     bitmap->TransparentColor());
}

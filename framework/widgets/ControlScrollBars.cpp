#include "widgets/ControlScrollBars.h"

#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QPointer>
#include <QScrollBar>

struct TControlScrollBars::TWidgets {
    QPointer<QScrollBar> Vert;
    QPointer<QScrollBar> Horz;
};

TControlScrollBars::TControlScrollBars(TScrollHandler handler)
    : FWidgets(std::make_unique<TWidgets>()), FHandler(std::move(handler)) {
}

TControlScrollBars::~TControlScrollBars() {
    // The bars belong to the window; they go with it unless the window outlives this object.
    delete FWidgets->Vert.data();
    delete FWidgets->Horz.data();
}

int TControlScrollBars::Extent() {
    return GetSystemMetrics(SM_CXVSCROLL);
}

QScrollBar* TControlScrollBars::Widget(int bar) const {
    return bar == SB_VERT ? FWidgets->Vert.data() : FWidgets->Horz.data();
}

void TControlScrollBars::Attach(HWND window) {
    QWidget* parent = WidgetOf(window);
    if (!parent) return;
    for (int bar : {SB_VERT, SB_HORZ}) {
        QPointer<QScrollBar>& slot = bar == SB_VERT ? FWidgets->Vert : FWidgets->Horz;
        if (slot && slot->parentWidget() == parent) continue;
        delete slot.data();
        auto* widget = new QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, parent);
        widget->setFocusPolicy(Qt::NoFocus);
        widget->setTracking(FTracking);
        QObject::connect(widget, &QScrollBar::valueChanged, widget, [this, bar](int value) {
            if (FApplying) return;
            (bar == SB_VERT ? FVert : FHorz).Position = value;
            if (FHandler) FHandler(bar, value);
        });
        slot = widget;
        Apply(bar);
    }
    Layout(FArea);
}

void TControlScrollBars::Set(int bar, int max, int page, int position, bool shown) {
    TBarState& state = bar == SB_VERT ? FVert : FHorz;
    state.Max = std::max(max, 0);
    state.Page = std::max(page, 1);
    state.Position = std::clamp(position, 0, state.Max);
    state.Shown = shown;
    Apply(bar);
}

void TControlScrollBars::Apply(int bar) {
    QScrollBar* widget = Widget(bar);
    if (!widget) return;
    const TBarState& state = State(bar);
    FApplying = true;
    widget->setRange(0, state.Max);
    widget->setPageStep(state.Page);
    widget->setSingleStep(1);
    widget->setValue(state.Position);
    FApplying = false;
    widget->setVisible(Shown(bar));
}

void TControlScrollBars::SetTracking(bool tracking) {
    FTracking = tracking;
    for (int bar : {SB_VERT, SB_HORZ})
        if (QScrollBar* widget = Widget(bar)) widget->setTracking(tracking);
}

void TControlScrollBars::Layout(const TRect& area) {
    FArea = area;
    const int extent = Extent();
    const bool vert = Shown(SB_VERT), horz = Shown(SB_HORZ);
    if (QScrollBar* widget = Widget(SB_VERT))
        widget->setGeometry(area.Right - extent, area.Top, extent,
                            std::max(area.Height() - (horz ? extent : 0), 0));
    if (QScrollBar* widget = Widget(SB_HORZ))
        widget->setGeometry(area.Left, area.Bottom - extent, std::max(area.Width() - (vert ? extent : 0), 0),
                            extent);
}

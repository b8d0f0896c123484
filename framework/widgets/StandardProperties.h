// Publishing helpers for the groups of properties and events that the standard controls declare the same
// way. Used inside FW_PUBLISH blocks of framework/widgets only.
#pragma once

#include "graphics/Font.h"
#include "rtti/Publisher.h"
#include "ui/WinControl.h"

#pragma GCC visibility push(default)

// Color, stored only when the control does not take its parent's colour.
template <class C> void PublishColor(TPublisher<C>& p, TColor defaultColor) {
    p.Property("Color", &C::Color, &C::SetColor).Default(defaultColor).Stored([](C* c) {
        return !c->ParentColor();
    });
}

// Font, stored only when the control does not take its parent's font.
template <class C> void PublishFont(TPublisher<C>& p) {
    p.Property("Font", &C::Font, &C::SetFont).Stored([](C* c) { return !c->ParentFont(); });
}

template <class C> void PublishParentColor(TPublisher<C>& p, bool defaultValue) {
    p.Property("ParentColor", &C::ParentColor, &C::SetParentColor).Default(defaultValue);
}

template <class C> void PublishParentFont(TPublisher<C>& p) {
    p.Property("ParentFont", &C::ParentFont, &C::SetParentFont).Default(true);
}

template <class C> void PublishEnabled(TPublisher<C>& p) {
    p.Property("Enabled", &C::Enabled, &C::SetEnabled).Default(true);
}

template <class C> void PublishVisible(TPublisher<C>& p) {
    p.Property("Visible", &C::Visible, &C::SetVisible).Default(true);
}

template <class C> void PublishShowHint(TPublisher<C>& p) {
    p.Property("ShowHint", &C::ShowHint, &C::SetShowHint).Default(false);
}

template <class C> void PublishAlign(TPublisher<C>& p) {
    p.Property("Align", &C::Align, &C::SetAlign).Default(alNone);
}

template <class C> void PublishDragMode(TPublisher<C>& p) {
    p.Property("DragMode", &C::DragMode, &C::SetDragMode).Default(dmManual);
}

// TabOrder (always stored once the control has a parent) and TabStop.
template <class C> void PublishTabOrderAndStop(TPublisher<C>& p, bool tabStopDefault) {
    p.Property(
         "TabOrder", [](C* c) { return TTabOrder(c->TabOrder()); },
         [](C* c, TTabOrder order) { c->SetTabOrder(order); })
        .Default(TTabOrder(-1));
    p.Property("TabStop", &C::TabStop, &C::SetTabStop).Default(tabStopDefault);
}

template <class C> void PublishDragEvents(TPublisher<C>& p) {
    p.Event("OnDragDrop", &C::OnDragDrop);
    p.Event("OnDragOver", &C::OnDragOver);
    p.Event("OnEndDrag", &C::OnEndDrag);
}

template <class C> void PublishFocusEvents(TPublisher<C>& p) {
    p.Event("OnEnter", &C::OnEnter);
    p.Event("OnExit", &C::OnExit);
}

template <class C> void PublishKeyEvents(TPublisher<C>& p) {
    p.Event("OnKeyDown", &C::OnKeyDown);
    p.Event("OnKeyPress", &C::OnKeyPress);
    p.Event("OnKeyUp", &C::OnKeyUp);
}

template <class C> void PublishMouseEvents(TPublisher<C>& p) {
    p.Event("OnMouseDown", &C::OnMouseDown);
    p.Event("OnMouseMove", &C::OnMouseMove);
    p.Event("OnMouseUp", &C::OnMouseUp);
}

#pragma GCC visibility pop

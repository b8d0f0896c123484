// TCustomObjectInspector: what a designer needs of the inspector it reports to.
//
// An abstract form: the Object Inspector window implements the operations below. Besides them the
// designer forwards every insert/remove notification of the designed root to the inspector's ordinary
// Notification, so the inspector can keep its component list up to date.
#pragma once

#include "core/ScopeGuard.h"
#include "ui/Form.h"

#pragma GCC visibility push(default)

class TComponentList;

class TCustomObjectInspector : public TForm {
    FW_CLASS(TCustomObjectInspector, TForm)
public:
    explicit TCustomObjectInspector(TComponent* owner);

    // The root last passed to SetInspectedRoot.
    virtual TComponent* InspectedRoot() = 0;
    // Clears the grids and lists the new root and the components it owns; null empties the list.
    virtual void SetInspectedRoot(TComponent* root) = 0;
    // Re-reads and redisplays the values of the inspected selection (called by the designer's Modified).
    virtual void RefreshValues() = 0;
    // Inspects exactly this object.
    virtual void InspectObject(TPersistent* instance) = 0;
    // Inspects the common properties of all items; the inspector takes ownership of the list.
    virtual void InspectList(TComponentList* list) = 0;
    // Empties both grids: nothing is inspected.
    virtual void ClearInspection() = 0;
    // Components inserted between these two calls are collected and listed in one go at the end.
    virtual void BeginComponentUpdate() = 0;
    virtual void EndComponentUpdate() = 0;
    // Text typed into a row and not applied yet is dropped, not applied (before undo and redo); a row
    // that applies every keystroke ends its edit. By default nothing is pending.
    virtual void DropPendingEdit();
};

// BeginComponentUpdate now and EndComponentUpdate when the scope ends; nothing without an inspector.
[[nodiscard]] inline auto ComponentUpdateScope(TCustomObjectInspector* inspector) {
    if (inspector) inspector->BeginComponentUpdate();
    return ScopeGuard([inspector] {
        if (inspector) inspector->EndComponentUpdate();
    });
}

#pragma GCC visibility pop

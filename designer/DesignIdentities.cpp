#include "DesignIdentities.h"

#include "core/Component.h"

// Hears of the destruction of every numbered component, so a freed component's address, when a new
// object gets it, is not taken for the old one.
class TDesignIdentities::TWatcher : public TComponent {
public:
    explicit TWatcher(TDesignIdentities& owner) : TComponent(nullptr), FOwner(owner) {}
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) FOwner.Forget(component);
    }

private:
    TDesignIdentities& FOwner;
};

TDesignIdentities::TDesignIdentities() : FWatcher(std::make_unique<TWatcher>(*this)) {
}

TDesignIdentities::~TDesignIdentities() {
    Clear();
}

uint32_t TDesignIdentities::IdOf(TComponent* component) {
    if (!component) return 0;
    auto [it, added] = FIds.try_emplace(component, FNext);
    if (added) {
        FComponents[FNext++] = component;
        FWatcher->FreeNotification(component);
    }
    return it->second;
}

TComponent* TDesignIdentities::Find(uint32_t id) const {
    auto it = FComponents.find(id);
    return it == FComponents.end() ? nullptr : it->second;
}

void TDesignIdentities::Bind(TComponent* component, uint32_t id) {
    Forget(component);
    if (TComponent* previous = Find(id)) Forget(previous);
    FIds[component] = id;
    FComponents[id] = component;
    FWatcher->FreeNotification(component);
}

void TDesignIdentities::Forget(TComponent* component) {
    auto it = FIds.find(component);
    if (it == FIds.end()) return;
    FWatcher->RemoveFreeNotification(component);
    FComponents.erase(it->second);
    FIds.erase(it);
}

void TDesignIdentities::Clear() {
    // Quietly: a watcher that went away would be announced to every component, and by the designed form
    // to its designer.
    for (const auto& [component, id] : FIds)
        FWatcher->RemoveFreeNotification(component);
    FIds.clear();
    FComponents.clear();
}

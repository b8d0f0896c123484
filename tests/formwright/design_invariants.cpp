#include "design_invariants.h"

#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "ui/Form.h"

#include <set>
#include <unordered_set>

namespace {

// Every component reachable through ownership from `owner`, `owner` excluded (embedded frames own
// components of their own).
void CollectOwned(TComponent* owner, std::unordered_set<const void*>& live) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        live.insert(c);
        CollectOwned(c, live);
    }
}

std::string Describe(TComponent* c) {
    return c->Name().empty() ? "unnamed " + c->ClassName() : c->Name();
}

} // namespace

std::vector<std::string> DesignProblems(TFormwright& designer) {
    std::vector<std::string> problems;
    TWinControl* root = designer.Root();
    TCustomForm* form = designer.DesignedForm();
    if (!root || !form) return {"nothing is designed"};

    std::unordered_set<const void*> live{root, form};
    CollectOwned(form, live);
    const TList& placeholders = designer.Placeholders();
    std::unordered_set<const void*> boxes;
    for (int i = 0; i < placeholders.Count(); ++i)
        boxes.insert(placeholders.Items(i));

    std::set<std::string> names;
    int nonVisual = 0;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        const std::string& name = c->Name();
        if (!name.empty()) {
            if (!IsValidIdent(name)) problems.push_back("invalid name '" + name + "'");
            if (!names.insert(UpperCase(name)).second) problems.push_back("duplicate name " + name);
            if (form->FindComponent(name) != c) problems.push_back("FindComponent misses " + name);
        }
        if (auto* control = dynamic_cast<TControl*>(c)) {
            TControl* p = control->Parent();
            while (p && p != form)
                p = p->Parent();
            if (!p) problems.push_back(Describe(c) + " is not inside the designed form");
        } else {
            ++nonVisual;
            TEditContainer* box = designer.FindPlaceholder(c);
            if (!box) problems.push_back(Describe(c) + " has no placeholder");
        }
    }
    if (placeholders.Count() != nonVisual)
        problems.push_back(std::to_string(placeholders.Count()) + " placeholders for " +
                           std::to_string(nonVisual) + " non-visual components");
    for (int i = 0; i < placeholders.Count(); ++i) {
        auto* box = static_cast<TEditContainer*>(placeholders.Items(i));
        if (!live.count(box->Component())) problems.push_back("a placeholder stands for a freed component");
    }

    auto isDesignObject = [&](const void* object) { return live.count(object) || boxes.count(object); };
    for (int i = 0; i < designer.SelectionCount(); ++i)
        if (!isDesignObject(designer.Selected(i))) problems.push_back("the selection holds a freed object");
    if (TControl* grabbed = designer.Grab() ? designer.Grab()->Control() : nullptr)
        if (!isDesignObject(grabbed)) problems.push_back("the grab holds a freed object");
    return problems;
}

std::string SavedDesignText(TFormwright& designer) {
    TStringStream text;
    WriteRootText(&designer, text);
    return text.DataString();
}

std::vector<std::string> ReloadProblems(TFormwright& designer, const std::string& text) {
    try {
        TStringStream input(text);
        ReadRootText(&designer, input);
    } catch (const Exception& e) {
        return {"the saved design does not load: " + e.Message()};
    }
    std::vector<std::string> problems = DesignProblems(designer);
    if (SavedDesignText(designer) != text) problems.push_back("the reloaded design saves to other text");
    return problems;
}

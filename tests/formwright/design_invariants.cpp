#include "design_invariants.h"

#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/Form.h"

#include <memory>
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

std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t at = 0;
    int line = 1;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        if (a[at++] == '\n') ++line;
    const size_t start = at == 0 ? std::string::npos : a.rfind('\n', at - 1);
    const size_t from = start == std::string::npos ? 0 : start + 1;
    auto lineAt = [&](const std::string& text) { return text.substr(from, text.find('\r', from) - from); };
    return "line " + std::to_string(line) + ": '" + lineAt(a) + "' became '" + lineAt(b) + "'";
}

std::vector<std::string> DesignProblems(TFormwright& designer) {
    std::vector<std::string> problems;
    TWinControl* root = designer.Root();
    TCustomForm* form = designer.DesignedForm();
    if (!root || !form) return {"nothing is designed"};

    std::unordered_set<const void*> live{root, form};
    CollectOwned(form, live);
    const auto& placeholders = designer.Placeholders();
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
            const TRect bounds = control->BoundsRect();
            if (bounds.Right != int64_t(bounds.Left) + control->Width() ||
                bounds.Bottom != int64_t(bounds.Top) + control->Height())
                problems.push_back(Describe(c) + "'s edges do not fit its place and size");
        } else if (c->HasParent()) {
            // Written inside another component (a menu item): no box of its own, and inside something.
            if (designer.FindPlaceholder(c)) problems.push_back(Describe(c) + " has a placeholder");
            if (!c->GetParentComponent()) problems.push_back(Describe(c) + " is written inside nothing");
        } else {
            ++nonVisual;
            if (root == form && !designer.FindPlaceholder(c))
                problems.push_back(Describe(c) + " has no placeholder");
        }
    }
    std::unordered_set<const void*> represented;
    for (int i = 0; i < placeholders.Count(); ++i)
        if (!represented.insert(static_cast<TEditContainer*>(placeholders.Items(i))->Component()).second)
            problems.push_back("two placeholders stand for one component");
    if (root == form ? placeholders.Count() != nonVisual : placeholders.Count() > nonVisual) {
        std::string stand;
        for (int i = 0; i < placeholders.Count(); ++i) {
            TComponent* c = static_cast<TEditContainer*>(placeholders.Items(i))->Component();
            stand += " " + (live.count(c) ? Describe(c) : std::string("(freed)"));
        }
        problems.push_back(std::to_string(placeholders.Count()) + " placeholders for " +
                           std::to_string(nonVisual) + " non-visual components; they stand for" + stand);
    }
    for (int i = 0; i < placeholders.Count(); ++i) {
        auto* box = static_cast<TEditContainer*>(placeholders.Items(i));
        if (!live.count(box->Component()))
            problems.push_back("a placeholder stands for a component outside the design");
        else if (box->Component()->Owner() != form)
            problems.push_back("a placeholder stands for " + Describe(box->Component()) + " owned by " +
                               (box->Component()->Owner() ? Describe(box->Component()->Owner()) : "nothing"));
    }

    auto isDesignObject = [&](const void* object) { return live.count(object) || boxes.count(object); };
    for (int i = 0; i < designer.SelectionCount(); ++i)
        if (!isDesignObject(designer.Selected(i))) problems.push_back("the selection holds a freed object");
    if (TControl* grabbed = designer.Grab() ? designer.Grab()->Control() : nullptr)
        if (!isDesignObject(grabbed)) problems.push_back("the grab holds a freed object");
    if (designer.SelectedChild() && !live.count(designer.SelectedChild()))
        problems.push_back("the selection holds a freed component");
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
    const std::string again = SavedDesignText(designer);
    if (again != text)
        problems.push_back("the reloaded design saves to other text, " + FirstDifference(text, again));
    return problems;
}

std::vector<std::string> FreshRootProblems(TFormwright& designer, const std::string& text) {
    if (!designer.Root()) return {"nothing is designed"};
    try {
        TStringStream input(text);
        TMemoryStream binary;
        ObjectTextToBinary(input, binary);
        binary.SetPosition(0);
        std::unique_ptr<TComponent> fresh(TComponent::CreateInstance(designer.Root()->ClassType(), nullptr));
        {
            TReader reader(binary);
            reader.ReadRootComponent(fresh.get());
        }
        TMemoryStream written;
        {
            TWriter writer(written);
            writer.WriteRootComponent(fresh.get());
        }
        written.SetPosition(0);
        TStringStream again;
        ObjectBinaryToText(written, again);
        if (again.DataString() != text) {
            FILE* f = fopen("/tmp/wt22-a.txt", "w");
            fputs(text.c_str(), f);
            fclose(f);
            f = fopen("/tmp/wt22-b.txt", "w");
            fputs(again.DataString().c_str(), f);
            fclose(f);
        }
        if (again.DataString() != text)
            return {"a fresh " + fresh->ClassName() + " saves the design to other text, " +
                    FirstDifference(text, again.DataString())};
    } catch (const Exception& e) {
        return {"the design does not read into a fresh root: " + e.Message()};
    }
    return {};
}

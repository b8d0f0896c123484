#include "FormwrightText.h"

#include "CustomObjectInspector.h"
#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "core/Exceptions.h"
#include "core/FileReplace.h"
#include "core/ScopeGuard.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "rtti/ClassInfo.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/WinControl.h"

#include <functional>
#include <vector>

namespace {

// The designer's reader and writer buffers.
constexpr int FilerBufferSize = 1024;

TWinControl* RequireRoot(TFormwright* designer) {
    if (!designer || !designer->Root()) throw EInvalidOperation("No component is being designed");
    return designer->Root();
}

// The values of the root's own published properties, and of the sub-objects it publishes (a font),
// so a failed load can put back also those the form stream leaves out as defaults.
class TPropertySnapshot {
public:
    explicit TPropertySnapshot(TPersistent* instance) { Take(instance, 0); }

    void Restore() const {
        for (const auto& restore : FRestores) {
            try {
                restore();
            } catch (const Exception&) {
                // A property that refuses its own former value keeps what it has.
            }
        }
    }

private:
    void Take(TPersistent* instance, int depth) {
        if (!instance || depth > 4) return;
        for (const TPropInfo* prop : instance->ClassType()->Properties()) {
            if (prop->Name == "Name") continue; // the record's name is read back with the design
            if (prop->PropType->Kind == tkClass) {
                if (!prop->GetOrd) continue;
                auto* object = reinterpret_cast<TObject*>(static_cast<intptr_t>(prop->GetOrd(instance)));
                auto* sub = dynamic_cast<TPersistent*>(object);
                if (sub && !dynamic_cast<TComponent*>(sub)) Take(sub, depth + 1);
            } else if (prop->GetOrd && prop->SetOrd) {
                Keep(instance, prop, prop->GetOrd, prop->SetOrd);
            } else if (prop->GetFloat && prop->SetFloat) {
                Keep(instance, prop, prop->GetFloat, prop->SetFloat);
            } else if (prop->GetStr && prop->SetStr) {
                Keep(instance, prop, prop->GetStr, prop->SetStr);
            } else if (prop->GetMethod && prop->SetMethod) {
                Keep(instance, prop, prop->GetMethod, prop->SetMethod);
            }
        }
    }

    // Only a value that differs is set back: setters always run, and some of them re-create the window.
    template <class Get, class Set>
    void Keep(TPersistent* instance, const TPropInfo*, const Get& get, const Set& set) {
        FRestores.push_back([instance, &get, &set, value = get(instance)] {
            if (!(get(instance) == value)) set(instance, value);
        });
    }

    std::vector<std::function<void()>> FRestores;
};

void FreeOwnedComponents(TComponent* root) {
    // Last first; freeing a container may take other owned components with it.
    while (root->ComponentCount() > 0)
        delete root->Components(root->ComponentCount() - 1);
}

// Frees the root's components and reads the record into the root, the inspector collecting the new
// components meanwhile. New placeholders go to their components' design positions and show.
void LoadRecord(TFormwright* designer, TWinControl* root, TMemoryStream& stream) {
    // A property that re-creates the root's window ends designing.
    if (designer->Root() != root) throw EInvalidOperation("No component is being designed");
    FreeOwnedComponents(root);
    TCustomObjectInspector* inspector = designer->Inspector();
    if (inspector) inspector->BeginComponentUpdate();
    try {
        TReader reader(stream, FilerBufferSize);
        reader.SetRoot(root);
        reader.SetOwner(designer->DesignedForm());
        reader.SetParent(root);
        // References between the loaded components (a label's focus control, a page control's active
        // page) are set once the whole record is read; the components they named before are gone.
        reader.ReadSignature();
        reader.ReadComponent(root);
    } catch (...) {
        if (inspector) inspector->EndComponentUpdate();
        throw;
    }
    if (inspector) inspector->EndComponentUpdate();
    const TList& placeholders = designer->Placeholders();
    for (int i = 0; i < placeholders.Count(); ++i) {
        auto* placeholder = static_cast<TEditContainer*>(placeholders.Items(i));
        placeholder->MoveToDesignPosition();
        placeholder->Show();
    }
}

} // namespace

void WriteRootBinary(TFormwright* designer, TMemoryStream& stream) {
    TWinControl* root = RequireRoot(designer);
    TWriter writer(stream, FilerBufferSize);
    writer.SetRoot(root);
    writer.WriteSignature();
    writer.WriteComponent(root);
    writer.FlushBuffer();
}

void WriteRootText(TFormwright* designer, TStream& output) {
    TMemoryStream binary;
    WriteRootBinary(designer, binary);
    binary.SetPosition(0);
    ObjectBinaryToText(binary, output);
}

void SaveRootToTextFile(TFormwright* designer, const std::string& fileName) {
    RequireRoot(designer);
    WriteFileReplacing(fileName, [designer](TStream& file) { WriteRootText(designer, file); });
}

void ReadRootBinary(TFormwright* designer, TMemoryStream& stream) {
    TWinControl* root = RequireRoot(designer);
    // The design as it is, to put back if the new one fails halfway.
    TMemoryStream backup;
    WriteRootBinary(designer, backup);
    const TPropertySnapshot properties(root);

    // Nothing may point at the components about to be freed.
    designer->ClearSelection(true);
    designer->SelectionChanged();
    // The root is inspected again once its new components and values are in: the freed components took
    // the combo's chosen entry with them, and the root's rows still show the values read before the load.
    const auto showRoot = [designer] {
        designer->SelectionChanged();
        if (TCustomObjectInspector* inspector = designer->Inspector()) inspector->RefreshValues();
    };
    designer->BeginReading();
    const auto endReading = ScopeGuard([designer] { designer->EndReading(); });
    try {
        LoadRecord(designer, root, stream);
    } catch (...) {
        try {
            properties.Restore();
            backup.SetPosition(0);
            LoadRecord(designer, root, backup);
        } catch (...) {
            // The first failure is the one to report.
        }
        try {
            if (designer->Root() == root) showRoot();
        } catch (...) {
        }
        throw;
    }
    showRoot();
}

void ReadRootText(TFormwright* designer, TStream& input) {
    RequireRoot(designer);
    TMemoryStream binary;
    ObjectTextToBinary(input, binary);
    binary.SetPosition(0);
    ReadRootBinary(designer, binary);
}

void LoadRootFromTextFile(TFormwright* designer, const std::string& fileName) {
    RequireRoot(designer);
    TFileStream file(fileName, fmOpenRead);
    ReadRootText(designer, file);
}

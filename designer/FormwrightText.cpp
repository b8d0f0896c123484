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
    {
        const auto update = ComponentUpdateScope(designer->Inspector());
        FreeOwnedComponents(root);
        TReader reader(stream, FilerBufferSize);
        reader.SetRoot(root);
        reader.SetOwner(designer->DesignedForm());
        reader.SetParent(root);
        // References between the loaded components (a label's focus control, a page control's active
        // page) are set once the whole record is read; the components they named before are gone.
        reader.ReadSignature();
        reader.ReadComponent(root);
    }
    for (TEditContainer* placeholder : designer->Placeholders()) {
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
    designer->MarkSaved();
}

void ReadRootBinary(TFormwright* designer, TMemoryStream& stream) {
    TWinControl* root = RequireRoot(designer);
    // Text typed into the inspector and not applied yet belongs to the design that goes: it is applied
    // first, as an edit of its own, and a value that cannot be applied stops the load before it starts.
    if (TCustomObjectInspector* inspector = designer->Inspector()) inspector->ClearInspection();

    // The root is inspected again once its new components and values are in: the freed components took
    // the combo's chosen entry with them, and the root's rows still show the values read before the load.
    const auto showRoot = [designer] {
        designer->SelectionChanged();
        if (TCustomObjectInspector* inspector = designer->Inspector()) inspector->RefreshValues();
    };
    // The load is one step of the history, which also puts the design back as it was if the load fails;
    // whatever fails from here on, the step is ended.
    designer->BeginLoad();
    auto failed = ScopeGuard([&] {
        designer->EndLoad(false);
        if (designer->Root() == root) showRoot();
    });
    // Nothing may point at the components about to be freed.
    designer->ClearSelection(true);
    designer->SelectionChanged();
    {
        designer->BeginReading();
        const auto endReading = ScopeGuard([designer] { designer->EndReading(); });
        LoadRecord(designer, root, stream);
    }
    failed.Dismiss();
    designer->EndLoad(true);
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

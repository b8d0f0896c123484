#include "FormwrightText.h"

#include "CustomObjectInspector.h"
#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "core/Exceptions.h"
#include "core/ScopeGuard.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/WinControl.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

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
    FreeOwnedComponents(root);
    TCustomObjectInspector* inspector = designer->Inspector();
    if (inspector) inspector->BeginComponentUpdate();
    try {
        TReader reader(stream, FilerBufferSize);
        reader.SetRoot(root);
        reader.SetOwner(designer->DesignedForm());
        reader.SetParent(root);
        reader.ReadComponentDroppingReferences(root);
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

// A name for the new file beside the target that no file has yet.
std::string SavingFileName(const std::string& fileName) {
    for (int n = 0;; ++n) {
        std::string candidate = fileName + ".saving" + (n ? std::to_string(n) : std::string());
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
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

namespace {

// The file a save replaces: a symbolic link is followed, so the link stays and the file it names gets
// the new design.
std::string SaveTarget(const std::string& fileName) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(fileName, error))) return fileName;
    const fs::path target = fs::canonical(fileName, error);
    return error ? fileName : target.string();
}

// Whether a file that is there may be written over; one that is not there yet counts as writable.
bool WritableOrAbsent(const std::string& fileName) {
    std::error_code error;
    if (!fs::exists(fs::status(fileName, error))) return true;
    return std::ofstream(fileName, std::ios::in | std::ios::out | std::ios::binary).is_open();
}

} // namespace

void SaveRootToTextFile(TFormwright* designer, const std::string& fileName) {
    RequireRoot(designer);
    const std::string target = SaveTarget(fileName);
    // A file the user may not write is not replaced behind its back.
    if (!WritableOrAbsent(target)) throw EFCreateError(Format("Cannot create file %s", fileName));
    const std::string saving = SavingFileName(target);
    try {
        {
            std::unique_ptr<TFileStream> file;
            try {
                file = std::make_unique<TFileStream>(saving, fmCreate);
            } catch (const EFCreateError&) {
                throw EFCreateError(Format("Cannot create file %s", fileName));
            }
            WriteRootText(designer, *file);
            file->Flush();
        }
        std::error_code error;
        // The new file keeps the permissions of the one it replaces.
        const fs::file_status previous = fs::status(target, error);
        if (!error && fs::is_regular_file(previous)) fs::permissions(saving, previous.permissions(), error);
        fs::rename(saving, target, error);
        if (error) throw EFCreateError(Format("Cannot create file %s", fileName));
        designer->MarkSaved();
    } catch (...) {
        std::error_code ignored;
        fs::remove(saving, ignored);
        throw;
    }
}

void ReadRootBinary(TFormwright* designer, TMemoryStream& stream) {
    TWinControl* root = RequireRoot(designer);
    // The load is one step of the history, which also puts the design back as it was if the load fails.
    designer->BeginLoad();

    // Nothing may point at the components about to be freed.
    designer->ClearSelection(true);
    designer->SelectionChanged();
    // The root is inspected again once its new components and values are in: the freed components took
    // the combo's chosen entry with them, and the root's rows still show the values read before the load.
    const auto showRoot = [designer] {
        designer->SelectionChanged();
        if (TCustomObjectInspector* inspector = designer->Inspector()) inspector->RefreshValues();
    };
    try {
        designer->BeginReading();
        const auto endReading = ScopeGuard([designer] { designer->EndReading(); });
        LoadRecord(designer, root, stream);
    } catch (...) {
        try {
            designer->EndLoad(false);
            if (designer->Root() == root) showRoot();
        } catch (...) {
            // The first failure is the one to report.
        }
        throw;
    }
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

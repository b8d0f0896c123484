#include "core/FileReplace.h"

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/SysUtils.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

// The file a save replaces: a symbolic link is followed, so the link stays.
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

// A name for the new file beside the target that no file has yet.
std::string SavingFileName(const std::string& fileName) {
    for (int n = 0;; ++n) {
        std::string candidate = fileName + ".saving" + (n ? std::to_string(n) : std::string());
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
    }
}

} // namespace

void WriteFileReplacing(const std::string& fileName, const std::function<void(TStream&)>& write) {
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
            write(*file);
            file->Flush();
        }
        std::error_code error;
        const fs::file_status previous = fs::status(target, error);
        if (!error && fs::is_regular_file(previous)) fs::permissions(saving, previous.permissions(), error);
        fs::rename(saving, target, error);
        if (error) throw EFCreateError(Format("Cannot create file %s", fileName));
    } catch (...) {
        std::error_code ignored;
        fs::remove(saving, ignored);
        throw;
    }
}

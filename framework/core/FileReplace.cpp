#include "core/FileReplace.h"

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/SysUtils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Whether the open file is still the one the folder names `name` (and not a link).
bool StillNamed(int handle, const std::string& name) {
    struct stat opened {
    }, named{};
    return ::fstat(handle, &opened) == 0 && ::lstat(name.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// "<target>.saving" followed by nothing or digits.
bool IsSavingFileOf(const std::string& name, const std::string& targetName) {
    const std::string prefix = targetName + ".saving";
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    for (size_t i = prefix.size(); i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

// Removes the new files of earlier saves of the target that were killed before they finished: a save
// holds the lock of its file until the file is gone, so one that can be locked belongs to nobody.
void RemoveStaleSavingFiles(const std::string& target) {
    const fs::path path(target);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string targetName = path.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!IsSavingFileOf(name, targetName)) continue;
        const std::string stale = it->path().string();
        const int handle = ::open(stale.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (handle < 0) continue;
        if (::flock(handle, LOCK_EX | LOCK_NB) == 0 && StillNamed(handle, stale)) ::unlink(stale.c_str());
        ::close(handle);
    }
}

// The new file of this save: created beside the target under a name no file has, and locked until the
// object goes, by which time it has either replaced the target or been removed.
class TSavingFile {
public:
    explicit TSavingFile(const std::string& target, const std::string& fileName) {
        for (int n = 0;; ++n) {
            FName = target + ".saving" + (n ? std::to_string(n) : std::string());
            FHandle = ::open(FName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (FHandle < 0 && errno == EEXIST) continue;
            if (FHandle < 0) throw EFCreateError(Format("Cannot create file %s", fileName));
            // Another save's clean-up may have taken the file between its creation and the lock.
            if (::flock(FHandle, LOCK_EX) == 0 && StillNamed(FHandle, FName)) return;
            ::close(FHandle);
            FHandle = -1;
        }
    }
    ~TSavingFile() {
        if (!FMoved) ::unlink(FName.c_str());
        ::close(FHandle);
    }
    TSavingFile(const TSavingFile&) = delete;
    TSavingFile& operator=(const TSavingFile&) = delete;

    const std::string& Name() const { return FName; }
    void Moved() { FMoved = true; }

private:
    std::string FName;
    int FHandle = -1;
    bool FMoved = false;
};

// Makes the folder's entries (the rename) durable; a folder that cannot be synchronised is left as is.
void SyncFolder(const std::string& target) {
    const fs::path path(target);
    const std::string folder = path.has_parent_path() ? path.parent_path().string() : std::string(".");
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    ::fsync(handle);
    ::close(handle);
}

} // namespace

void WriteFileReplacing(const std::string& fileName, const std::function<void(TStream&)>& write) {
    const std::string target = SaveTarget(fileName);
    // A file the user may not write is not replaced behind its back.
    if (!WritableOrAbsent(target)) throw EFCreateError(Format("Cannot create file %s", fileName));
    RemoveStaleSavingFiles(target);
    TSavingFile saving(target, fileName);
    {
        std::unique_ptr<TFileStream> file;
        try {
            file = std::make_unique<TFileStream>(saving.Name(), fmOpenWrite);
        } catch (const EFOpenError&) {
            throw EFCreateError(Format("Cannot create file %s", fileName));
        }
        try {
            write(*file);
            file->Flush();
        } catch (const EWriteError&) {
            if (file->WriteErrorCode() == 0) throw;
            throw EWriteError(
                Format("Cannot write file %s (%s)", fileName, std::strerror(file->WriteErrorCode())));
        }
    }
    std::error_code error;
    const fs::file_status previous = fs::status(target, error);
    if (!error && fs::is_regular_file(previous))
        fs::permissions(saving.Name(), previous.permissions(), error);
    fs::rename(saving.Name(), target, error);
    if (error) throw EFCreateError(Format("Cannot create file %s", fileName));
    saving.Moved();
    SyncFolder(target);
}

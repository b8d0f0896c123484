// Replacing a file crash-safely. Everything after the folder is opened works relative to the folder's
// descriptor and on the new file's own descriptor, so nothing another process puts at a name (a link, a
// FIFO, a different file) is followed, opened for writing, chmodded or moved into place in our stead.
#include "core/FileReplace.h"

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/SysUtils.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Names tried for the new file before the save gives up: more than any number of saves of one file that
// run at once.
constexpr int MaxSavingNames = 100;

// The file a save replaces: a symbolic link is followed, so the link stays.
std::string SaveTarget(const std::string& fileName) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(fileName, error))) return fileName;
    const fs::path target = fs::canonical(fileName, error);
    return error ? fileName : target.string();
}

// A descriptor closed when the object goes.
class TDescriptor {
public:
    explicit TDescriptor(int handle = -1) : FHandle(handle) {}
    ~TDescriptor() {
        if (FHandle >= 0) ::close(FHandle);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FHandle; }
    int Release() { return std::exchange(FHandle, -1); }
    void Reset(int handle) {
        if (FHandle >= 0) ::close(FHandle);
        FHandle = handle;
    }

private:
    int FHandle;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the open file is what the folder names `name` (not a link to it, not another file).
bool StillNamed(int handle, int folder, const std::string& name) {
    struct stat opened {
    }, named{};
    return ::fstat(handle, &opened) == 0 &&
           ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named);
}

// "<target>.saving" followed by nothing or digits.
bool IsSavingFileOf(std::string_view name, const std::string& targetName) {
    const std::string prefix = targetName + ".saving";
    if (name.substr(0, prefix.size()) != prefix) return false;
    for (char c : name.substr(prefix.size()))
        if (c < '0' || c > '9') return false;
    return true;
}

// Removes the new files of earlier saves of the target that were killed before they finished: a save
// holds the lock of its file until the file is gone, so one that can be locked belongs to nobody. Where
// locks fail nothing tells a killed save's file from a running one's, and nothing is removed. What is
// not a regular file is not opened (a FIFO would block, a device might act).
void RemoveStaleSavingFiles(int folder, const std::string& targetName) {
    TDescriptor listing(::dup(folder));
    if (listing.Get() < 0) return;
    DIR* entries = ::fdopendir(listing.Get());
    if (!entries) return;
    listing.Release(); // the listing closes it
    ::rewinddir(entries);
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (!IsSavingFileOf(name, targetName)) continue;
        struct stat seen {};
        if (::fstatat(folder, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(seen.st_mode))
            continue;
        const TDescriptor stale(
            ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (stale.Get() < 0) continue;
        if (::flock(stale.Get(), LOCK_EX | LOCK_NB) == 0 && StillNamed(stale.Get(), folder, name))
            ::unlinkat(folder, name.c_str(), 0);
    }
    ::closedir(entries);
}

// The permission bits a file created now gets from "0666": those the process's file mode mask leaves.
mode_t NewFileMode() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the new file the old one's owner, group and permissions where the process may; a group that
// cannot be kept gets no more than everybody else has.
void KeepOwnerAndMode(int handle, const struct stat* old) {
    if (!old) {
        ::fchmod(handle, NewFileMode());
        return;
    }
    if (::fchown(handle, old->st_uid, old->st_gid) != 0)
        ::fchown(handle, static_cast<uid_t>(-1), old->st_gid);
    struct stat now {};
    const bool known = ::fstat(handle, &now) == 0;
    mode_t mode = old->st_mode & 07777;
    if (!known || now.st_uid != old->st_uid) mode &= ~static_cast<mode_t>(S_ISUID);
    if (!known || now.st_gid != old->st_gid)
        mode = (mode & ~static_cast<mode_t>(S_ISGID | S_IRWXG)) | (mode & S_IRWXG & (mode << 3));
    ::fchmod(handle, mode);
}

// The new file of this save: created beside the target under a name no file has, readable by the owner
// alone until it is whole, and locked until the object goes, by which time it has either replaced the
// target or been removed.
class TSavingFile {
public:
    TSavingFile(int folder, const std::string& targetName, const std::string& fileName) : FFolder(folder) {
        for (int n = 0; n < MaxSavingNames; ++n) {
            FName = targetName + ".saving" + (n ? std::to_string(n) : std::string());
            FHandle.Reset(::openat(folder, FName.c_str(),
                                   O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
            if (FHandle.Get() < 0 && errno == EEXIST) continue;
            if (FHandle.Get() < 0) break;
            if (::flock(FHandle.Get(), LOCK_EX | LOCK_NB) == 0) {
                // Another save's clean-up may have taken the file between its creation and the lock.
                if (StillNamed(FHandle.Get(), folder, FName)) return;
                continue;
            }
            // Held by another save's clean-up, which removes it: try the next name.
            if (errno == EWOULDBLOCK) continue;
            // Locks do not work in this folder (ENOLCK on a network folder without a lock manager): the
            // save goes on without one. Other saves cannot lock the file either, so they leave it alone.
            return;
        }
        FHandle.Reset(-1);
        throw EFCreateError(Format("Cannot create file %s", fileName));
    }
    ~TSavingFile() {
        if (!FMoved && StillNamed(FHandle.Get(), FFolder, FName)) ::unlinkat(FFolder, FName.c_str(), 0);
    }
    TSavingFile(const TSavingFile&) = delete;
    TSavingFile& operator=(const TSavingFile&) = delete;

    int Handle() const { return FHandle.Get(); }
    const std::string& Name() const { return FName; }
    void Moved() { FMoved = true; }

private:
    int FFolder;
    std::string FName;
    TDescriptor FHandle;
    bool FMoved = false;
};

} // namespace

void WriteFileReplacing(const std::string& fileName, const std::function<void(TStream&)>& write) {
    const auto cannotCreate = [&] { return EFCreateError(Format("Cannot create file %s", fileName)); };
    const fs::path target = SaveTarget(fileName);
    const std::string targetName = target.filename().string();
    const TDescriptor folder(::open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                                    O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0 || targetName.empty()) throw cannotCreate();
    struct stat old {};
    const bool hadOld = ::fstatat(folder.Get(), targetName.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    // Only a regular file is replaced, and one the user may not write is not replaced behind its back.
    if (hadOld &&
        (!S_ISREG(old.st_mode) || ::faccessat(folder.Get(), targetName.c_str(), W_OK, AT_EACCESS) != 0))
        throw cannotCreate();
    RemoveStaleSavingFiles(folder.Get(), targetName);
    TSavingFile saving(folder.Get(), targetName, fileName);
    TFileStream file(saving.Handle(), fileName);
    try {
        write(file);
        file.Flush();
    } catch (const EWriteError&) {
        if (file.WriteErrorCode() == 0) throw;
        throw EWriteError(
            Format("Cannot write file %s (%s)", fileName, std::strerror(file.WriteErrorCode())));
    }
    KeepOwnerAndMode(saving.Handle(), hadOld ? &old : nullptr);
    // The name must still be the file written, right up to the move, and the target must be it after.
    if (!StillNamed(saving.Handle(), folder.Get(), saving.Name()) ||
        ::renameat(folder.Get(), saving.Name().c_str(), folder.Get(), targetName.c_str()) != 0)
        throw cannotCreate();
    saving.Moved();
    if (!StillNamed(saving.Handle(), folder.Get(), targetName)) throw cannotCreate();
    // The folder's entry (the move) reaches the storage device too; a folder that cannot be synchronised
    // is left as it is.
    ::fsync(folder.Get());
}

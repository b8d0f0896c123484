// Saving a file so that it is either replaced whole or left as it was.
#pragma once

#include <functional>
#include <string>

#pragma GCC visibility push(default)

class TStream;

// `write` fills a new file beside the target (in the same folder, so the move cannot cross devices), which
// then takes the target's place with the target's permissions, and its owner and group where the process
// may change them (a group it cannot keep gets no more than everybody has). A symbolic link at the target
// stays and the file it names gets the new contents. Fails with EFCreateError "Cannot create file %s"
// (the name as given) when the target exists but is no regular file or may not be written, or when the
// new file cannot be made or moved into place; with EWriteError "Cannot write file %s (<reason>)" when
// writing it fails (a full disk: "No space left on device"); other errors of `write` propagate. After a
// failure the target is untouched and the new file is gone.
//
// Crash safety: the new file is on the storage device before it replaces the target, and the folder's
// entry after, so a crash or power loss at any moment leaves either the old or the new file whole. The
// new file is named "<target>.saving" (or .saving1, .saving2, ... when taken; at most 100 names are tried)
// and locked while it is written; such files left behind by a save that was killed are no longer locked,
// and the next save of the same target removes them. Where locks fail (a network folder without a lock
// manager) the save goes on without one, and leftovers stay.
//
// Safety against the folder: from its creation to the move the new file is handled through its own
// descriptor and the folder's, never by name: it is readable by its owner alone until it is whole, a
// link or a FIFO planted at its name is neither followed nor opened, and the move happens only while its
// name still names it, and is checked after.
void WriteFileReplacing(const std::string& fileName, const std::function<void(TStream&)>& write);

#pragma GCC visibility pop

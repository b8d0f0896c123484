// Saving a file so that it is either replaced whole or left as it was.
#pragma once

#include <functional>
#include <string>

#pragma GCC visibility push(default)

class TStream;

// `write` fills a new file beside the target (in the same folder, so the move cannot cross devices), which
// then takes the target's place and keeps its permissions. A symbolic link stays and the file it names
// gets the new contents. Fails with EFCreateError "Cannot create file %s" (the name as given) when the
// target exists but may not be written, or when the new file cannot be made or moved into place; with
// EWriteError "Cannot write file %s (<reason>)" when writing it fails (a full disk: "No space left on
// device"); other errors of `write` propagate. After a failure the target is untouched and the new file
// is gone.
//
// Crash safety: the new file is on the storage device before it replaces the target, and the folder's
// entry after, so a crash or power loss at any moment leaves either the old or the new file whole. The
// new file is named "<target>.saving" (or .saving1, .saving2, ... when taken) and locked while it is
// written; such files left behind by a save that was killed are no longer locked, and the next save of
// the same target removes them.
void WriteFileReplacing(const std::string& fileName, const std::function<void(TStream&)>& write);

#pragma GCC visibility pop

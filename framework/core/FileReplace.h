// Saving a file so that it is either replaced whole or left as it was.
#pragma once

#include <functional>
#include <string>

#pragma GCC visibility push(default)

class TStream;

// `write` fills a new file beside the target (in the same folder, so the move cannot cross devices), which
// then takes the target's place and keeps its permissions. A symbolic link stays and the file it names
// gets the new contents. Fails with EFCreateError "Cannot create file %s" (the name as given) when the
// target exists but may not be written, or when the new file cannot be made or moved into place; errors
// of `write` propagate. After a failure the target is untouched and the new file is gone.
void WriteFileReplacing(const std::string& fileName, const std::function<void(TStream&)>& write);

#pragma GCC visibility pop

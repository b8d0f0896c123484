// formconv: converts a form file between the textual form format and the binary form stream.
//
//   formconv --to-binary IN OUT
//   formconv --to-text IN OUT
//
// The result is written to a temporary file beside OUT and renamed over OUT only when the conversion
// succeeded, so a failed run leaves no output behind and an existing OUT untouched.
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "streaming/ObjectText.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Usage() {
    std::fputs("usage: formconv --to-binary IN OUT\n"
               "       formconv --to-text IN OUT\n",
               stderr);
    return 2;
}

// Creates an empty, uniquely named file in the folder of `target`, with the permissions a new file gets.
std::string CreateTemporaryBeside(const std::string& target) {
    std::string name = target + ".tmp-XXXXXX";
    const int handle = ::mkstemp(name.data());
    if (handle < 0) throw EFCreateError(Format("Cannot create file %s", target));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(handle, 0666 & ~mask);
    ::close(handle);
    return name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Usage();
    const std::string mode = argv[1];
    const bool toBinary = mode == "--to-binary";
    if (!toBinary && mode != "--to-text") return Usage();
    const std::string inputName = argv[2];
    const std::string outputName = argv[3];

    std::string temporary;
    try {
        TFileStream input(inputName, fmOpenRead);
        temporary = CreateTemporaryBeside(outputName);
        {
            TFileStream output(temporary, fmOpenWrite);
            if (toBinary)
                ObjectTextToBinary(input, output);
            else
                ObjectBinaryToText(input, output);
        }
        if (std::rename(temporary.c_str(), outputName.c_str()) != 0)
            throw EFCreateError(Format("Cannot create file %s", outputName));
        return 0;
    } catch (const std::exception& e) {
        if (!temporary.empty()) std::remove(temporary.c_str());
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

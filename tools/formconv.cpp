// formconv: converts a form file between the textual form format and the binary form stream.
//
//   formconv --to-binary IN OUT
//   formconv --to-text IN OUT
//   formconv --help | --version
//
// The result is written to a temporary file beside OUT and renamed over OUT only when the conversion
// succeeded, so a failed run leaves no output behind and an existing OUT untouched. The exit codes follow
// the BSD sysexits convention, so scripts can tell the failures apart.
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "streaming/ObjectText.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum TExitCode : int {
    ExitOk = 0,
    ExitUsage = 64,        // the command line is wrong
    ExitInvalidForm = 65,  // the input is not a form of the named encoding
    ExitUnreadable = 66,   // the input cannot be opened or read
    ExitCannotCreate = 73, // the output cannot be written
};

const char* const UsageText = "usage: formconv --to-binary IN OUT\n"
                              "       formconv --to-text IN OUT\n"
                              "       formconv --help | --version\n";

int Usage() {
    std::fputs(UsageText, stderr);
    return ExitUsage;
}

int Help() {
    std::fputs(
        "formconv converts a form file between the textual form format and the binary form stream.\n\n",
        stdout);
    std::fputs(UsageText, stdout);
    std::fputs("\n  --to-binary IN OUT   reads the text form IN and writes its binary form stream to OUT\n"
               "  --to-text IN OUT     reads the binary form stream IN and writes its text form to OUT\n"
               "\nOUT is replaced only when the conversion succeeds.\n"
               "Exit codes: 0 done, 64 usage error, 65 invalid form, 66 unreadable input, 73 output not "
               "written.\n",
               stdout);
    return ExitOk;
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
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return Help();
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("formconv (Formwright) %s\n", FW_VERSION);
        return ExitOk;
    }
    if (argc != 4) return Usage();
    const std::string mode = argv[1];
    const bool toBinary = mode == "--to-binary";
    if (!toBinary && mode != "--to-text") return Usage();
    const std::string inputName = argv[2];
    const std::string outputName = argv[3];

    std::string temporary;
    const auto fail = [&temporary](const std::exception& e, int code) {
        if (!temporary.empty()) std::remove(temporary.c_str());
        std::fprintf(stderr, "%s\n", e.what());
        return code;
    };
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
        return ExitOk;
    } catch (const EFOpenError& e) {
        return fail(e, ExitUnreadable);
    } catch (const EFCreateError& e) {
        return fail(e, ExitCannotCreate);
    } catch (const EWriteError& e) {
        return fail(e, ExitCannotCreate);
    } catch (const std::exception& e) {
        return fail(e, ExitInvalidForm);
    }
}

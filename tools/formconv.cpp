// formconv: converts a form file between the textual form format and the binary form stream.
//
//   formconv [--verbose] --to-binary IN OUT
//   formconv [--verbose] --to-text IN OUT
//   formconv --help | --version
//
// IN or OUT "-" is standard input or output. A file OUT is replaced through the framework's crash-safe
// save (WriteFileReplacing) only when the conversion succeeded, so a failed run leaves an existing OUT
// untouched; standard output gets the result only when it is complete. Input that cannot seek (a pipe)
// is read whole first. The exit codes follow the BSD sysexits convention, so scripts can tell the
// failures apart.
#include "core/Exceptions.h"
#include "core/FileReplace.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "streaming/ObjectText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

enum TExitCode : int {
    ExitOk = 0,
    ExitUsage = 64,        // the command line is wrong
    ExitInvalidForm = 65,  // the input is not a form of the named encoding
    ExitUnreadable = 66,   // the input cannot be opened or read
    ExitCannotCreate = 73, // the output cannot be written
};

const char* const UsageText = "usage: formconv [--verbose] --to-binary IN OUT\n"
                              "       formconv [--verbose] --to-text IN OUT\n"
                              "       formconv --help | --version\n";

const char* const StandardStream = "-";

int Usage() {
    std::fputs(UsageText, stderr);
    return ExitUsage;
}

int Help() {
    std::fputs(
        "formconv converts a form file between the textual form format and the binary form stream.\n\n",
        stdout);
    std::fputs(UsageText, stdout);
    std::fputs(
        "\n  --to-binary IN OUT   reads the text form IN and writes its binary form stream to OUT\n"
        "  --to-text IN OUT     reads the binary form IN (the stream alone, or after a resource\n"
        "                       header) and writes its text form to OUT\n"
        "  --verbose            says on standard error what kind of input was found\n"
        "\nIN or OUT - is standard input or output. OUT is replaced only when the conversion succeeds.\n"
        "Exit codes: 0 done, 64 usage error, 65 invalid form, 66 unreadable input, 73 output not "
        "written.\n",
        stdout);
    return ExitOk;
}

// Failures reading input that is not a file of its own.
class EInputError : public Exception {
public:
    using Exception::Exception;
};

// Everything a descriptor or stream that cannot seek holds, read to its end.
void ReadToEnd(const std::function<int64_t(void*, int64_t)>& read, TMemoryStream& into) {
    char block[64 * 1024];
    for (int64_t n; (n = read(block, sizeof block)) > 0;)
        into.WriteBuffer(block, n);
    into.SetPosition(0);
}

// The input as a stream the converters can seek back in.
std::unique_ptr<TStream> OpenInput(const std::string& name) {
    if (name == StandardStream) {
        auto memory = std::make_unique<TMemoryStream>();
        ReadToEnd(
            [](void* buffer, int64_t count) -> int64_t {
                for (;;) {
                    const ssize_t n = ::read(STDIN_FILENO, buffer, static_cast<size_t>(count));
                    if (n >= 0) return n;
                    if (errno != EINTR)
                        throw EInputError(Format("Cannot read standard input (%s)", std::strerror(errno)));
                }
            },
            *memory);
        return memory;
    }
    auto file = std::make_unique<TFileStream>(name, fmOpenRead);
    try {
        file->Seek(0, soCurrent);
        return file;
    } catch (const EStreamError&) {
        // A named pipe or a terminal: no way back over what the converter reads ahead.
    }
    auto memory = std::make_unique<TMemoryStream>();
    ReadToEnd([&file](void* buffer, int64_t count) { return file->Read(buffer, count); }, *memory);
    return memory;
}

void WriteStandardOutput(TMemoryStream& result) {
    const char* data = static_cast<const char*>(result.Memory());
    size_t left = static_cast<size_t>(result.Size());
    while (left > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw EWriteError(Format("Cannot write standard output (%s)", std::strerror(errno)));
        data += n;
        left -= static_cast<size_t>(n);
    }
}

// What came before the form record, for --verbose: printable ASCII as it is, other bytes as \xNN.
std::string DescribeHeader(const TFormHeader& header) {
    if (!header.HasResourceHeader) return "binary form stream";
    std::string name;
    for (const char c : header.ResourceName)
        name += c >= 0x20 && c < 0x7F ? std::string(1, c) : Format("\\x%.2x", static_cast<uint8_t>(c));
    return Format("binary form with a resource header (resource %s, %d bytes)", name, header.ResourceSize);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return Help();
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("formconv (Formwright) %s\n", FW_VERSION);
        return ExitOk;
    }
    int next = 1;
    const bool verbose = argc > 1 && std::strcmp(argv[1], "--verbose") == 0;
    if (verbose) ++next;
    if (argc - next != 3) return Usage();
    const std::string mode = argv[next];
    const bool toBinary = mode == "--to-binary";
    if (!toBinary && mode != "--to-text") return Usage();
    const std::string inputName = argv[next + 1];
    const std::string outputName = argv[next + 2];
    const std::string shownInput = inputName == StandardStream ? "standard input" : inputName;

    const auto fail = [](const std::exception& e, int code) {
        std::fprintf(stderr, "%s\n", e.what());
        return code;
    };
    try {
        const std::unique_ptr<TStream> input = OpenInput(inputName);
        TFormHeader header;
        const auto convert = [&](TStream& output) {
            if (toBinary)
                ObjectTextToBinary(*input, output);
            else
                ObjectBinaryToText(*input, output, &header);
        };
        if (outputName == StandardStream) {
            TMemoryStream result;
            convert(result);
            WriteStandardOutput(result);
        } else {
            WriteFileReplacing(outputName, convert);
        }
        if (verbose)
            std::fprintf(stderr, "%s: %s\n", shownInput.c_str(),
                         toBinary ? "text form" : DescribeHeader(header).c_str());
        return ExitOk;
    } catch (const EFOpenError& e) {
        return fail(e, ExitUnreadable);
    } catch (const EInputError& e) {
        return fail(e, ExitUnreadable);
    } catch (const EFCreateError& e) {
        return fail(e, ExitCannotCreate);
    } catch (const EWriteError& e) {
        return fail(e, ExitCannotCreate);
    } catch (const std::exception& e) {
        return fail(e, ExitInvalidForm);
    }
}

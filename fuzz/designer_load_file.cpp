// Fuzz target: a form file -> the designer's "Load From Text" (a real file, read through the designer's
// file load) into the shown, designed form, and then what a person sees: the form painted whole and the
// frame of a rubber band dragged over its surface. A load that fails leaves the design exactly as it
// was; one that succeeds leaves a sound design. What the file sizes (windows, pictures, grids, figures)
// is a finding when it goes past the fuzzer's memory limits or makes the paint outlast its timeout.
#include "designed_form.h"
#include "graphics/Bitmap.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The file the inputs are written to, in memory where there is such a file system; removed at exit.
const std::string& InputFile() {
    static const std::string file = [] {
        char inMemory[] = "/dev/shm/fuzz-load-XXXXXX", onDisk[] = "/tmp/fuzz-load-XXXXXX";
        int handle = mkstemp(inMemory);
        std::string name = inMemory;
        if (handle < 0) {
            handle = mkstemp(onDisk);
            name = onDisk;
        }
        if (handle < 0) std::abort();
        close(handle);
        return name;
    }();
    static const bool removed = (std::atexit([] { unlink(InputFile().c_str()); }), true);
    (void)removed;
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::TDesignedForm& d = fuzz::Designed();
    TFormwright& designer = *d.Designer;
    std::ofstream(InputFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::string before = SavedDesignText(designer);
    bool loaded = true;
    try {
        LoadRootFromTextFile(&designer, InputFile());
    } catch (const Exception&) {
        loaded = false;
    }
    fuzz::Require(DesignProblems(designer), loaded ? "after the load" : "after a failed load");
    if (!loaded && SavedDesignText(designer) != before)
        fuzz::Require({"a failed load changed the design"}, "after a failed load");

    TBitmap shown;
    GrabWindow(d.Form->Handle(), shown);
    if (shown.Empty()) fuzz::Require({"the designed form could not be shown"}, "after the load");
    HWND surface = d.Form->Handle();
    TInputSimulator::MouseDown(surface, {3, 3});
    TInputSimulator::MouseMove(surface, {40, 40}, {ssLeft});
    TInputSimulator::MouseUp(surface, {40, 40});
    fuzz::Require(DesignProblems(designer), "after a drag on the loaded design");
    fuzz::RestoreBaseline(d);
    return 0;
}

// Fuzz target: a text file -> the designer's load into the designed form (what "Load From Text" runs). A
// load that fails leaves the design exactly as it was, compared by its saved text; one that succeeds
// leaves a sound design (DesignProblems) that saves to text which loads back and saves the same.
#include "designed_form.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::TDesignedForm& d = fuzz::Designed();
    TFormwright& designer = *d.Designer;
    const std::string before = SavedDesignText(designer);
    bool loaded = true;
    try {
        fuzz::LoadText(designer, std::string(reinterpret_cast<const char*>(data), size));
    } catch (const Exception&) {
        loaded = false;
    }
    fuzz::Require(DesignProblems(designer), loaded ? "after the load" : "after a failed load");
    if (loaded)
        fuzz::Require(ReloadProblems(designer, SavedDesignText(designer)),
                      "saving and loading the loaded design");
    else if (SavedDesignText(designer) != before)
        fuzz::Require({"a failed load changed the design"}, "after a failed load");
    fuzz::RestoreBaseline(d);
    return 0;
}

// The designed form the designer fuzzers work on: the application on Qt's offscreen platform, the standard
// classes registered, one shown form designed by a TFormwright without an inspector, and the baseline
// design every input starts from.
#pragma once

#include "../tests/formwright/design_invariants.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

// A panel with a button in it, a label, an edit whose label refers to it, and a table.
inline const char* BaselineDesign = "object Form1: TForm\n"
                                    "  Caption = 'Fuzzed'\n"
                                    "  object Panel1: TPanel\n"
                                    "    Left = 8\n"
                                    "    Top = 8\n"
                                    "    Width = 200\n"
                                    "    Height = 120\n"
                                    "    object Button1: TButton\n"
                                    "      Left = 16\n"
                                    "      Top = 16\n"
                                    "      Caption = 'OK'\n"
                                    "    end\n"
                                    "  end\n"
                                    "  object Label1: TLabel\n"
                                    "    Left = 8\n"
                                    "    Top = 140\n"
                                    "    Caption = '&Name'\n"
                                    "    FocusControl = Edit1\n"
                                    "  end\n"
                                    "  object Edit1: TEdit\n"
                                    "    Left = 60\n"
                                    "    Top = 136\n"
                                    "  end\n"
                                    "  object Table1: TTable\n"
                                    "    Left = 240\n"
                                    "    Top = 16\n"
                                    "  end\n"
                                    "end\n";

struct TDesignedForm {
    TForm* Form = nullptr;
    TFormwright* Designer = nullptr;
    std::string Baseline; // the baseline design as the designer saves it
};

inline void LoadText(TFormwright& designer, const std::string& text) {
    TStringStream input(text);
    ReadRootText(&designer, input);
}

inline TDesignedForm& Designed() {
    static TDesignedForm designed = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // Qt's complaints about odd values would drown the fuzzer's own report.
        setenv("QT_LOGGING_RULES", "*=false", 0);
        Application->Initialize();
        RegisterStreamableClasses();
        TDesignedForm d;
        d.Form = new TForm(nullptr);
        d.Form->Show();
        d.Designer = new TFormwright();
        d.Designer->SetRoot(d.Form);
        LoadText(*d.Designer, BaselineDesign);
        d.Baseline = SavedDesignText(*d.Designer);
        return d;
    }();
    return designed;
}

// Aborts, after printing them, when there are problems: the fuzzer then keeps the input as a finding.
inline void Require(const std::vector<std::string>& problems, const char* when) {
    if (problems.empty()) return;
    std::fprintf(stderr, "%s:\n", when);
    for (const std::string& p : problems)
        std::fprintf(stderr, "  %s\n", p.c_str());
    std::abort();
}

// Puts the baseline design back when the input changed it.
inline void RestoreBaseline(TDesignedForm& d) {
    if (SavedDesignText(*d.Designer) == d.Baseline) return;
    d.Designer->ClearSelection(true);
    LoadText(*d.Designer, d.Baseline);
    Require(DesignProblems(*d.Designer), "after restoring the baseline");
}

} // namespace fuzz

// What must hold of a design after any operation, checked by the fuzzers of the designer's text input and
// by the random design session: names, owners, parents, placeholders, selection, and that the design
// saved to text loads back and saves to the same text. No test framework: problems come back as text.
#pragma once

#include <string>
#include <vector>

class TFormwright;

// One line per broken rule, empty when the design is sound:
// - every component the designed form owns has a valid name, unique among them (empty names are allowed:
//   a pasted record may have none), and FindComponent finds it by that name;
// - every control the designed form owns sits inside the designed form, and its edges are its place
//   plus its size (none overflows, however far or large the file put it);
// - every placeholder stands for a different live component the designed form owns, and when the form
//   itself is designed, every non-visual component it owns has one, except those written inside another
//   component (menu items), which have none and are inside something;
// - the selection and the grab hold only live design objects (controls of the design, the root,
//   placeholders).
std::vector<std::string> DesignProblems(TFormwright& designer);

// Where two texts part: the number and both versions of the first line that differs.
std::string FirstDifference(const std::string& a, const std::string& b);

// The designed root as saved to a text file.
std::string SavedDesignText(TFormwright& designer);

// Loads `text` into the designed root (the designer's text load) and reports, as problems, a load that
// fails or a design that then saves to other text than `text`. Meant for text the designer saved.
std::vector<std::string> ReloadProblems(TFormwright& designer, const std::string& text);

// Reads `text` (a design the designer saved) into a fresh component of the root record's class, outside
// any designer, writes that back to text, and reports a failure or a difference.
std::vector<std::string> FreshRootProblems(TFormwright& designer, const std::string& text);

// Large designs for the reliability tests: the text of a form with many components, as the designer
// saves it, built without the designer so that building it costs next to nothing.
#pragma once

#include <string>

// A form named Form1 with `count` controls (panels of twenty: the panel, then buttons, labels whose focus
// control is the edit after them, edits and check boxes) and a table or a query for every fifty of them.
// `variant` goes into every caption, so two variants differ throughout.
std::string LargeDesignText(int count, const std::string& variant);

// The number of components of the large design tests: FW_LARGE_DESIGN_COMPONENTS from the environment
// when set (a longer run on demand), else `fallback`.
int LargeDesignSize(int fallback);

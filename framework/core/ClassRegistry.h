// The classes the form reader can create by name. Register every class whose components may appear in a
// form stream; a form's published-field classes are found without registration.
//
// A class is made streamable by one line next to its publishing block, and one call at program start
// registers every class so marked, the framework's own and the host's:
//
//     FW_PUBLISH(TStarRating) { ... }
//     FW_STREAMABLE(TStarRating);
//
//     int main() { Application->Initialize(); RegisterStreamableClasses(); ... }
#pragma once

#include "core/Object.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#pragma GCC visibility push(default)

void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
// Null when no class of that name (ignoring case) is registered.
TClass GetClass(std::string_view name);
// Fails with EClassNotFound "Class %s not found".
TClass FindClass(std::string_view name);

// Notes a class for RegisterStreamableClasses; FW_STREAMABLE calls it while the program starts.
void MarkStreamable(TClass (*staticClass)());
// Registers every class marked with FW_STREAMABLE in the program and its libraries: the framework's
// controls and components (buttons, labels, edits, panels, list and combo boxes, grids, page controls,
// image lists, menus, the common dialogs, the sample data sets, the media player) and the host's own.
// Calling it again registers what was marked since.
void RegisterStreamableClasses();
// The classes marked with FW_STREAMABLE, in the order they were marked (a walk over everything a form can
// hold: a test form with one of each, a palette of classes to place).
std::vector<TClass> StreamableClasses();

#define FW_STREAMABLE(Class)                                                                                 \
    [[maybe_unused]] static const bool FwStreamable##Class = (MarkStreamable(&Class::StaticClass), true)

#pragma GCC visibility pop

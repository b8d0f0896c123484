// The classes the form reader can create by name. Register every class whose components may appear in a
// form stream; a form's published-field classes are found without registration.
#pragma once

#include "core/Object.h"

#include <initializer_list>
#include <string_view>

void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
// Null when no class of that name (ignoring case) is registered.
TClass GetClass(std::string_view name);
// Fails with EClassNotFound "Class %s not found".
TClass FindClass(std::string_view name);

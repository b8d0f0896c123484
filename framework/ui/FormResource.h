// Form resources: the text form file of a form class, compiled into the program with the Qt resource
// system as ":/forms/<ClassName>.form".
#pragma once

#include "core/Object.h"

#include <string>

#pragma GCC visibility push(default)

class TComponent;

// Reads the resource of `cls` into `instance` (its root component). Fails with EResNotFound
// "Resource %s not found" when there is none, and with the reader's or the text converter's message when
// the resource is bad.
void ReadFormResource(TComponent* instance, TClass cls);
bool FormResourceExists(TClass cls);
std::string FormResourcePath(TClass cls);

#pragma GCC visibility pop

// StoredProperties: the values a form stream stores for one object, taken apart value by value, and the
// ways to put one value back or to its default.
//
// Undo and redo compare and restore a design value by value with these, and the inspector uses them to
// show which values are stored (differ from their defaults) and to revert one. A stored value is what the
// form writer writes for a property: a path ("Caption", "Font.Color", "Items.Strings", a non-visual
// component's "Left") and the tagged value bytes. The writer's root names handlers and references.
#pragma once

#include "core/Component.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#pragma GCC visibility push(default)

struct TStoredValue {
    std::string Path;
    std::string Value; // the tag byte and its data
    bool operator==(const TStoredValue&) const = default;
};
using TStoredValues = std::vector<TStoredValue>;

// The property list the form writer writes for the instance (published properties in declaration order,
// then its defined properties), without the closing zero byte.
std::string WriteStoredProperties(TPersistent* instance, TComponent* root);
// Splits a property list into its values. Bytes that are no property list fail with EReadError.
TStoredValues SplitStoredProperties(std::string_view bytes);
// Whether a value is stored at the path or below it ("Font" covers "Font.Color").
bool StoresPath(const TStoredValues& values, std::string_view path);

// Reads values into an existing object in the given order, as a form load does; component references
// are resolved among the root's components once all values are read.
void ReadStoredValues(TPersistent* instance, TComponent* root,
                      const std::vector<const TStoredValue*>& values);

// Puts values back to the defaults a form load starts from. Published values take what the writer
// leaves out (the declared default, zero, the empty text, no handler, no object); an ordinal value
// without a declared default and a defined value (a string list's lines, a picture's data, a design
// position) take those of a fresh object of the same class, made once per class on demand.
class TPropertyDefaults {
public:
    TPropertyDefaults();
    ~TPropertyDefaults();
    TPropertyDefaults(const TPropertyDefaults&) = delete;
    TPropertyDefaults& operator=(const TPropertyDefaults&) = delete;

    // dkAbsent: the value the form stream means by leaving it out, so that a state read back from the
    // stream is exact; dkFresh: the value a fresh component has (a font's name), for reverting.
    enum TDefault { dkAbsent, dkFresh };
    // The value at the path below `instance` goes back to its default. A value whose stored test says no
    // (a colour taken from the parent) is left to the value that decides it. Paths that name nothing are
    // ignored.
    void Reset(TComponent* instance, const std::string& path, TComponent* root, TDefault kind = dkAbsent);
    // Whether Reset would change the value: a default is known for it and the value differs from it (a
    // form class has no fresh object, so its values without a declared default have none).
    bool Differs(TComponent* instance, const std::string& path, TComponent* root, TDefault kind = dkAbsent);

private:
    // Compares the value with its default and, with `apply`, puts the default in; true when they differ.
    bool ToDefault(TComponent* instance, const std::string& path, TComponent* root, TDefault kind,
                   bool apply);
    TComponent* Fresh(TClass cls);
    // The object that holds the path's last value in a fresh component of the instance's class.
    TPersistent* FreshHolder(TComponent* instance, const std::vector<std::string>& segments);

    std::unordered_map<TClass, std::unique_ptr<TComponent>> FFresh;
};

#pragma GCC visibility pop

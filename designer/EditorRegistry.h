// Which editor class serves a property, and the editors for the properties a selection has in common.
//
// Registrations bind an editor class to a property type, optionally only for one component class and one
// property name. FindEditorClass ranks the registrations that match a property: one with a component
// class and a name beats one with a component class alone, which beats one with neither; among equals the
// newest registration wins. How closely a component class or a class-kind property type fits does not
// count. Without a match the property's type kind decides (DefaultEditorByKind).
//
// The standard registrations of the system (font name and character set, colour, font, cursor, caption,
// modal result, media-player file name, tab order, dates and times, pictures and graphics) are made before
// the first registration or look-up of the program, so every later registration is newer than them.
#pragma once

#include "PropertyEditor.h"
#include "rtti/Properties.h"

#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TComponentList;

// One registration.
struct TPropertyClassRec {
    const TTypeInfo* PropertyType = nullptr;
    TClass ComponentClass = nullptr; // none: objects of any class
    std::string PropertyName;        // empty: any name; always empty without a component class
    TPropertyEditorClass EditorClass = nullptr;
};

// Adds a registration as the newest. The name is dropped when no component class is given.
void RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                            const std::string& propertyName, TPropertyEditorClass editorClass);
// The editor class for that property of that object, or null when the property gets no editor.
TPropertyEditorClass FindEditorClass(const TPropInfo* prop, const TObject* instance);
// The editor class of a type kind when no registration matches: null for unknown, array, record and
// interface.
TPropertyEditorClass DefaultEditorByKind(TTypeKind kind);
// The registrations, newest first.
const std::vector<TPropertyClassRec>& PropertyEditorRegistrations();

// The published property records of one object, restricted to a set of kinds, sorted by name.
class TPropInfoList {
public:
    TPropInfoList(const TObject* instance, TTypeKinds filter);
    int Count() const { return static_cast<int>(FList.size()); }
    const TPropInfo* Items(int index) const { return FList.at(static_cast<size_t>(index)); }
    // Removes one entry; the rest keep their order.
    void Delete(int index);
    // True when an entry has the same type record (the same record, not an equal one) and the same name
    // (ignoring letter case).
    bool Contains(const TPropInfo* prop) const;
    // Deletes every entry that the other list does not contain.
    void Intersect(const TPropInfoList& other);

private:
    TPropList FList;
};

// Creates one editor for every property of the given kinds that all objects of the selection have in
// common (same name, same type record), in name order, and hands each to the callback, which owns it from
// then on. Left out: properties without an editor, without read access, without write access unless they
// are object-valued, and, for more than one object, those whose editor lacks paMultiSelect or whose
// editor class differs for an object of another class. A selection whose first object is missing yields
// nothing; a later missing object has no properties, which leaves nothing in common.
//
// `enclosing` names the objects whose sub-property rows enclose these editors; each editor gets it as
// its EnclosingObjects.
void GetComponentProperties(const TComponentList* selection, TTypeKinds filter, TCustomDesigner* designer,
                            const TEditorCallback& proc, const std::vector<TPersistent*>& enclosing = {});

#pragma GCC visibility pop

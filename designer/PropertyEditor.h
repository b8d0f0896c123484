// TPropertyEditor: the short-lived object that presents one published property of one or more objects as
// text and writes changes back to all of them.
//
// The inspector gets one editor per property row from GetComponentProperties (EditorRegistry.h): it shows
// GetName and GetValue, fills a drop-down from GetValues (attribute paValueList), expands GetProperties
// as child rows (paSubProperties), runs Edit on a double click or the row's button, and hands typed text
// to SetValue. Every writer stores the value on all entries, first to last, and then tells the designer
// once (Modified). A property setter that fails stops the writer at once: earlier entries keep the new
// value, later ones are not written, and the designer is not told.
//
// Editor classes are created through class references (TPropertyEditorClass, see
// PropertyEditorClassOf<E>), so every editor class has the constructor (designer, count).
#pragma once

#include "CustomDesigner.h"
#include "rtti/ClassInfo.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TPropertyEditor;

FW_ENUM(TEditorAttribute, paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate, paSortList);
FW_SET(TEditorAttributes, TEditorAttribute);

// Receives one newly created editor and owns it from then on.
using TEditorCallback = std::function<void(std::unique_ptr<TPropertyEditor> editor)>;
// Receives one value-list text.
using TValueCallback = std::function<void(const std::string& value)>;

// The messages editors raise with EPropertyError.
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SOutOfRange = "Value must be between %d and %d";
inline constexpr const char* SCannotCreateName =
    "Cannot create a default method name for an unnamed component";

// One edited object and its record of the edited property.
struct TPropEntry {
    TPersistent* Instance = nullptr;
    const TPropInfo* PropInfo = nullptr;
};

// The class reference of an editor class: its class record and its constructor.
struct TPropertyEditorClassRec {
    TClass Class;
    TPropertyEditor* (*Create)(TCustomDesigner* designer, int propCount);
};
using TPropertyEditorClass = const TPropertyEditorClassRec*;

template <class E> TPropertyEditorClass PropertyEditorClassOf() {
    static const TPropertyEditorClassRec rec{
        E::StaticClass(), [](TCustomDesigner* designer, int propCount) -> TPropertyEditor* {
            return new E(designer, propCount);
        }};
    return &rec;
}

class TPropertyEditor : public TObject {
    FW_CLASS(TPropertyEditor, TObject)
public:
    // One entry per object of the selection; SetPropEntry fills each before any other operation is used.
    TPropertyEditor(TCustomDesigner* designer, int propCount);

    void SetPropEntry(int index, TPersistent* instance, const TPropInfo* propInfo);

    // ---- virtual operations, with the base behaviour
    // The row's default action. Base: steps to the next text of the value list (sorted when paSortList),
    // wrapping around; the first text when the current one is not in the list; nothing for an empty list.
    virtual void Edit();
    virtual TEditorAttributes GetAttributes(); // {paMultiSelect}
    virtual std::string GetName();             // the property name
    // Creates one editor per sub-property and hands each to the callback. Base: none.
    virtual void GetProperties(const TEditorCallback& proc);
    virtual std::string GetValue(); // "(Unknown)"
    // Hands each value-list text to the callback, in display order. Base: none.
    virtual void GetValues(const TValueCallback& proc);
    // Converts the text and stores it on every entry. Base: ignores the text.
    virtual void SetValue(const std::string& value);

    // ---- access
    TCustomDesigner* Designer() const { return FDesigner; }
    int PropCount() const { return FPropCount; }
    TPersistent* GetComponent(int index) const;
    const TPropInfo* GetPropInfo() const { return Entry(0).PropInfo; }
    const TTypeInfo* GetPropType() const { return GetPropInfo()->PropType; }

    // Readers of entry 0 (GetOrdValueAt: of the given entry). A class property's ordinal value is the
    // object pointer, 0 for none.
    int64_t GetOrdValue() const { return GetOrdValueAt(0); }
    int64_t GetOrdValueAt(int index) const;
    Extended GetFloatValue() const;
    std::string GetStrValue() const;
    TMethod GetMethodValue() const;

    // Writers: store on every entry in order, then Modified once.
    void SetOrdValue(int64_t value);
    void SetFloatValue(Extended value);
    void SetStrValue(const std::string& value);
    void SetMethodValue(const TMethod& value);
    // Tells the designer that the edited objects changed.
    void Modified();

    // The objects whose sub-property rows enclose this editor, outermost first (empty for a top-level
    // row). Sub-property enumeration uses it to give an object that is already being expanded no
    // sub-properties of its own, so a chain of references that loops back ends there.
    const std::vector<TPersistent*>& EnclosingObjects() const { return FEnclosing; }
    void SetEnclosingObjects(std::vector<TPersistent*> objects) { FEnclosing = std::move(objects); }

protected:
    // For editors that share another editor's entries (the elements of a set).
    TPropertyEditor(TCustomDesigner* designer, std::shared_ptr<TPropEntry[]> entries, int propCount);

    const TPropEntry& Entry(int index) const;
    const std::shared_ptr<TPropEntry[]>& Entries() const { return FPropList; }

private:
    template <class Store> void StoreOnAll(const Store& store);

    TCustomDesigner* FDesigner;
    std::shared_ptr<TPropEntry[]> FPropList;
    int FPropCount;
    std::vector<TPersistent*> FEnclosing;
};

#pragma GCC visibility pop

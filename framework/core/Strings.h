// TStrings: the abstract list of text lines, each with an associated object pointer. Concrete lists
// (TStringList, the items of list and combo boxes) supply storage; everything else is built on it.
// A TStrings property streams its lines as the defined property "Strings", a list of strings
// ("Lines.Strings = ('one' 'two')" in the text form).
#pragma once

#include "core/Persistent.h"

#include <string>
#include <string_view>

#pragma GCC visibility push(default)

class TReader;
class TWriter;

class TStrings : public TPersistent {
    FW_CLASS(TStrings, TPersistent)
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    virtual ~TStrings() = default;

    // Storage, supplied by the concrete list. Index errors fail with EStringListError
    // "List index out of bounds (%d)".
    virtual int Count() const = 0;
    virtual std::string Strings(int index) const = 0;
    virtual TObject* Objects(int index) const = 0;
    virtual void Put(int index, std::string_view text) = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    virtual void InsertObject(int index, std::string_view text, TObject* object) = 0; // 0 <= index <= Count
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Returns the index the line got.
    int Add(std::string_view text) { return AddObject(text, nullptr); }
    virtual int AddObject(std::string_view text, TObject* object);
    void Insert(int index, std::string_view text) { InsertObject(index, text, nullptr); }
    virtual void Exchange(int index1, int index2);
    virtual void Move(int currentIndex, int newIndex); // the line keeps its object

    // Lookups compare with CompareStrings (ASCII letter case ignored unless a list says otherwise);
    // -1 when absent.
    virtual int IndexOf(std::string_view text) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const TObject* object) const;

    // "name=value" lines. Names(i) is the part before the first "=" (empty without one); Values(name) the
    // part after it on the first line with that name (empty when there is none). SetValue replaces that
    // line's value, adds a line when there is none, and deletes the line when value is empty.
    std::string Names(int index) const;
    std::string Values(std::string_view name) const;
    virtual void SetValue(std::string_view name, std::string_view value);

    // Every line followed by CR LF, so a list ending in empty lines survives SetText(Text()).
    std::string Text() const;
    // Replaces the lines. Lines end with CR LF, LF or CR; a final line needs no line break.
    void SetText(std::string_view text);

    // Copies the lines and their objects; Assign replaces the contents, AddStrings appends.
    void Assign(const TStrings& source);
    // Another TStrings as above; anything else fails as TPersistent::Assign does.
    void Assign(const TPersistent* source) override;
    void AddStrings(const TStrings& source);

    // Nested; only the outermost pair reaches SetUpdateState. An unmatched EndUpdate is ignored.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Streams the lines as "Strings" when there are any.
    void DefineProperties(TFiler& filer) override;

protected:
    // Negative, zero or positive like CompareText.
    virtual int CompareStrings(std::string_view a, std::string_view b) const;
    // Called when the first BeginUpdate starts (true) and after the last EndUpdate has ended (false).
    virtual void SetUpdateState(bool updating) {}

private:
    void ReadData(TReader& reader);
    void WriteData(TWriter& writer) const;

    int FUpdateCount = 0;
};

#pragma GCC visibility pop

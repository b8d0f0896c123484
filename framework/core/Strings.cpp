#include "core/Strings.h"

#include "core/ScopeGuard.h"
#include "core/SysUtils.h"

#include <utility>
#include <vector>

FW_PUBLISH(TStrings) {
}

int TStrings::AddObject(std::string_view text, TObject* object) {
    const int index = Count();
    InsertObject(index, text, object);
    return index;
}

void TStrings::Exchange(int index1, int index2) {
    const auto update = UpdateScope(*this);
    const std::string text1 = Strings(index1), text2 = Strings(index2);
    TObject* object1 = Objects(index1);
    TObject* object2 = Objects(index2);
    Put(index1, text2);
    PutObject(index1, object2);
    Put(index2, text1);
    PutObject(index2, object1);
}

void TStrings::Move(int currentIndex, int newIndex) {
    if (currentIndex == newIndex) return;
    const auto update = UpdateScope(*this);
    const std::string text = Strings(currentIndex);
    TObject* object = Objects(currentIndex);
    if (newIndex < 0 || newIndex >= Count()) Strings(newIndex); // reports the bad index before deleting
    Delete(currentIndex);
    InsertObject(newIndex, text, object);
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
    return CompareText(a, b);
}

int TStrings::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Strings(i), text) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Strings(i);
        const size_t separator = line.find('=');
        if (separator != std::string::npos &&
            CompareStrings(std::string_view(line).substr(0, separator), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == object) return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string line = Strings(index);
    const size_t separator = line.find('=');
    return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStrings::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    if (index < 0) return {};
    const std::string line = Strings(index);
    return line.substr(line.find('=') + 1);
}

void TStrings::SetValue(std::string_view name, std::string_view value) {
    const int index = IndexOfName(name);
    const std::string line = std::string(name) + '=' + std::string(value);
    if (!value.empty()) {
        if (index < 0)
            Add(line);
        else
            Put(index, line);
    } else if (index >= 0) {
        Delete(index);
    }
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Strings(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    const auto update = UpdateScope(*this);
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    const auto update = UpdateScope(*this);
    Clear();
    AddStrings(source);
}

void TStrings::Assign(const TPersistent* source) {
    if (auto* strings = dynamic_cast<const TStrings*>(source)) {
        Assign(*strings);
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::AddStrings(const TStrings& source) {
    // A snapshot first, so that appending a list to itself copies it once.
    std::vector<std::pair<std::string, TObject*>> lines;
    lines.reserve(source.Count());
    for (int i = 0; i < source.Count(); ++i)
        lines.emplace_back(source.Strings(i), source.Objects(i));
    const auto update = UpdateScope(*this);
    for (const auto& [text, object] : lines)
        AddObject(text, object);
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) SetUpdateState(false);
}

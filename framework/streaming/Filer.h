// TFiler: what the form writer and reader have in common, and what DefineProperties sees of them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#pragma GCC visibility push(default)

class TComponent;
class TReader;
class TWriter;
class TStream;

class TFiler {
public:
    // The writer reports a failed final flush from its destructor, so filers may throw on destruction.
    virtual ~TFiler() noexcept(false) = default;

    TComponent* Root() const { return FRoot; }
    void SetRoot(TComponent* root) { FRoot = root; }
    // The component whose values count as the defaults; null when writing a whole root from scratch.
    TComponent* Ancestor() const { return FAncestor; }
    void SetAncestor(TComponent* ancestor) { FAncestor = ancestor; }

    // Declares a stored value that is not a published property. The writer calls `write` when `hasData`
    // is true; the reader calls `read` when it meets a property of that name.
    virtual void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                                const std::function<void(TWriter&)>& write, bool hasData) = 0;
    // The same for raw bytes (binary value tag).
    virtual void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                                      const std::function<void(TStream&)>& write, bool hasData) = 0;
    // Raw bytes that a content key identifies (NewContentKey): equal keys mean equal bytes, so a filer
    // that keeps what it wrote for a key may use that again instead of calling `write` (a picture's data
    // is then written once however often its component is). By default as DefineBinaryProperty.
    virtual void DefineKeyedBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                                           const std::function<void(TStream&)>& write, bool hasData,
                                           uint64_t contentKey);

private:
    TComponent* FRoot = nullptr;
    TComponent* FAncestor = nullptr;
};

// A content key never handed out before: whoever keeps binary data takes a new one whenever the data
// changes.
uint64_t NewContentKey();

#pragma GCC visibility pop

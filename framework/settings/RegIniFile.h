// TRegIniFile: the settings file of the current user, organised like the registry: a key path
// ("\Software\Corvane\Varnix\3.0") holds sections (its subkeys, "Custom Colors"), each holding named
// string values.
//
// Each key path is one settings file under the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config): formwright/Software/Corvane/Varnix/3.0.ini for the path above, read and written with
// QSettings. Opening a key path creates its file (and folders) when missing.
#pragma once

#include "core/Exceptions.h"
#include "core/Object.h"

#include <memory>
#include <optional>
#include <string>

#pragma GCC visibility push(default)

class TStrings;
class QSettings;

FW_DECLARE_EXCEPTION(ERegistryException, Exception);

class TRegIniFile : public TObject {
public:
    // Components are separated by "\" or "/"; empty ones are skipped. Fails with ERegistryException
    // "Invalid registry key %s" for an empty path or a "." or ".." component, and "Failed to create key
    // %s" when the file cannot be made.
    explicit TRegIniFile(const std::string& keyPath);
    ~TRegIniFile() override;

    const std::string& KeyPath() const { return FKeyPath; }
    // The settings file behind the key path.
    const std::string& FileName() const { return FFileName; }

    // Section and value names may hold any characters, "/" and "\" included.
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue = {}) const;
    // Written to the file at once (see BeginUpdate); fails with ERegistryException "Failed to set data for
    // '%s'" when the file cannot be written.
    void WriteString(const std::string& section, const std::string& name, const std::string& value);
    int ReadInteger(const std::string& section, const std::string& name, int defaultValue) const;
    void WriteInteger(const std::string& section, const std::string& name, int value);
    bool ReadBool(const std::string& section, const std::string& name, bool defaultValue) const;
    void WriteBool(const std::string& section, const std::string& name, bool value);

    // The names of the section's values; "name=value" lines of them; the sections of the key. Lists are
    // replaced, in name order.
    void ReadSection(const std::string& section, TStrings& names) const;
    void ReadSectionValues(const std::string& section, TStrings& lines) const;
    void ReadSections(TStrings& sections) const;
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& name) const;

    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& name);

    // The changes between BeginUpdate and the matching EndUpdate are written to the file once, by that
    // EndUpdate, which fails as the last of them would have. Pairs nest.
    void BeginUpdate() { ++FUpdateDepth; }
    void EndUpdate();

private:
    void Flush(const std::string& what);

    std::string FKeyPath;
    std::string FFileName;
    std::unique_ptr<QSettings> FSettings;
    int FUpdateDepth = 0;
    std::optional<std::string> FUnwritten; // what the last change held back by BeginUpdate named
};

#pragma GCC visibility pop

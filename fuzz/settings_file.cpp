// Fuzz target: the settings file -> TRegIniFile, as the colour editor opens it for the custom colours.
// Whatever the file holds, every section and value reads, the custom colours parse or are refused, and a
// value written afterwards reads back from the file with every other value as it was.
#include "core/StringList.h"
#include "dialogs/ColorDialog.h"
#include "settings/RegIniFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>

namespace {

const char* KeyPath = "\\Software\\Corvane\\Varnix\\3.0";
const char* Section = "Custom Colors";

using TValues = std::map<std::pair<std::string, std::string>, std::string>;

TValues ReadAll(const TRegIniFile& settings) {
    TValues values;
    TStringList sections, names;
    settings.ReadSections(sections);
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string section = sections.Strings(i);
        settings.ReadSection(section, names);
        for (int j = 0; j < names.Count(); ++j)
            values[{section, names.Strings(j)}] = settings.ReadString(section, names.Strings(j));
        TStringList lines;
        settings.ReadSectionValues(section, lines);
    }
    return values;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The settings live under a folder of this run only, in memory where there is such a file system
    // (the settings are synchronised to disk after every write).
    char inMemory[] = "/dev/shm/fuzz-settings-XXXXXX", onDisk[] = "/tmp/fuzz-settings-XXXXXX";
    const char* folder = mkdtemp(inMemory);
    if (!folder) folder = mkdtemp(onDisk);
    if (!folder) std::abort();
    static std::string made = folder;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(made, ignored);
    });
    setenv("XDG_CONFIG_HOME", folder, 1);
    setenv("QT_LOGGING_RULES", "*=false", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string fileName = TRegIniFile(KeyPath).FileName();
    std::ofstream(fileName, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    TValues before;
    {
        TRegIniFile settings(KeyPath);
        before = ReadAll(settings);
        TStringList colors;
        settings.ReadSectionValues(Section, colors);
        for (int i = 0; i < colors.Count(); ++i) {
            TColor color;
            ParseCustomColor(colors.Values(colors.Names(i)), color);
        }
        settings.ReadInteger(Section, "ColorA", 0);
        settings.ReadBool(Section, "ColorB", false);
        try {
            settings.WriteString(Section, "ColorA", "C0FFEE");
        } catch (const ERegistryException&) {
            return 0; // a file that cannot be written is reported, not corrupted
        }
    }
    TRegIniFile again(KeyPath);
    if (again.ReadString(Section, "ColorA") != "C0FFEE") Fail("the written value does not read back");
    const TValues after = ReadAll(again);
    for (const auto& [key, value] : before) {
        if (key == std::make_pair(std::string(Section), std::string("ColorA"))) continue;
        const auto found = after.find(key);
        if (found == after.end() || found->second != value)
            Fail("writing a value changed [" + key.first + "] " + key.second);
    }
    return 0;
}

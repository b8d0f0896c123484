// Settings the designer remembers (the snap guides' switch, the custom colours) live in the user's
// configuration folder. A test process gets a fresh folder of its own for its whole run, so no test sees
// what another one, or the person running them, chose; the folder is removed when the process ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TPrivateConfig {
public:
    TPrivateConfig() {
        std::string pattern = (std::filesystem::temp_directory_path() / "formwright-config-XXXXXX").string();
        if (mkdtemp(pattern.data())) {
            FFolder = pattern;
            setenv("XDG_CONFIG_HOME", FFolder.c_str(), 1);
        }
    }
    ~TPrivateConfig() {
        std::error_code ignored;
        if (!FFolder.empty()) std::filesystem::remove_all(FFolder, ignored);
    }
    TPrivateConfig(const TPrivateConfig&) = delete;
    TPrivateConfig& operator=(const TPrivateConfig&) = delete;

private:
    std::string FFolder;
};

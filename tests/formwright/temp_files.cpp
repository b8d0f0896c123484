#include "temp_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "formwright-XXXXXX").string();
    Path = mkdtemp(pattern.data());
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::permissions(Path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(Path, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return (fs::path(Path) / name).string();
}

std::vector<std::string> TempDir::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary | std::ios::trunc) << text;
}

// Real files in a temporary folder for the save and load tests.
#pragma once

#include <string>
#include <vector>

// A new empty folder under the system's temporary folder, removed with everything in it at the end
// (also when a test took away its write permission).
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const;
    // The names of the entries, sorted.
    std::vector<std::string> Names() const;

    std::string Path;
};

std::string ReadFile(const std::string& name);
// Creates or replaces the file with exactly `text`.
void WriteFile(const std::string& name, const std::string& text);

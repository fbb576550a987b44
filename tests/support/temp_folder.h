#pragma once

// A folder of the test's own under the system's temporary folder, removed with everything in
// it when the test ends; names are the bytes the system takes.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ondulix-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no temporary folder");
        dir_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& dir() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
        file << bytes;
        if (!file)
            throw std::runtime_error("cannot write " + name);
    }
    // The file's bytes, or "<unreadable>".
    std::string read(const std::string& name) const {
        std::ifstream file(path(name), std::ios::binary);
        if (!file)
            return "<unreadable>";
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    void mkdir(const std::string& name) const {
        if (::mkdir(path(name).c_str(), 0777) != 0)
            throw std::runtime_error("cannot make " + name);
    }
    // Every name in the folder, hidden ones included, sorted: a temporary file left behind
    // shows.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string dir_;
};

} // namespace testsupport

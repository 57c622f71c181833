#pragma once
// A fresh, empty folder for one test, removed with everything in it when the test ends.

#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path in the program's own form, without a trailing separator.
    const std::string& path() const { return path_; }
    // path() + "\" + name
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    // Writes `content` to the file `name` inside the folder and returns its path.
    std::string write(const std::string& name, const std::string& content) const;
    // The content of the file `name`, or "<missing>".
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// Deletes a folder with everything below it, read-only files included.
void removeTree(const std::string& folder);

} // namespace testing_support

#pragma once
// A temporary application folder: made empty, named by VEXALON_APP_DIR for
// the test's lifetime, removed with everything in it afterwards. Making and
// removing one reloads the platform's properties, so the platform finds the
// application folder again.

#include <functional>
#include <string>

namespace vxtest {

class AppFolder {
public:
    AppFolder();
    ~AppFolder();
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    // The folder's host path.
    const std::string& path() const { return path_; }
    // Writes a file (relative path with '/', folders made as needed).
    void write(const std::string& relativePath, const std::string& bytes) const;
    // Copies the files of a pack built at build time into rsc/; with take,
    // only the files whose names it accepts.
    void copyPack(const char* builtFolder,
                  const std::function<bool(const std::string&)>& take = nullptr) const;
    // Writes properties/app.prop or properties/sys.prop.
    void writeAppProperties(const std::string& text) const { write("properties/app.prop", text); }
    void writeSysProperties(const std::string& text) const { write("properties/sys.prop", text); }

private:
    std::string path_;
};

}  // namespace vxtest

#include "support/AppFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "hal/properties.h"

namespace vxtest {

AppFolder::AppFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vexalon-app-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
    setenv("VEXALON_APP_DIR", path_.c_str(), 1);
    // The platform keeps the folder it found until properties are loaded again.
    HAL_loadProperties();
}

AppFolder::~AppFolder()
{
    unsetenv("VEXALON_APP_DIR");
    HAL_loadProperties();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void AppFolder::write(const std::string& relativePath, const std::string& bytes) const
{
    std::filesystem::path file = std::filesystem::path(path_) / relativePath;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

void AppFolder::copyPack(const char* builtFolder,
                         const std::function<bool(const std::string&)>& take) const
{
    for (const auto& file : std::filesystem::directory_iterator(builtFolder)) {
        std::string name = file.path().filename().string();
        if (take && !take(name))
            continue;
        std::ifstream in(file.path(), std::ios::binary);
        write("rsc/" + name, std::string(std::istreambuf_iterator<char>(in), {}));
    }
}

}  // namespace vxtest

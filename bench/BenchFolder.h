#pragma once
// The benchmarks' one application folder. The platform settles on the
// application folder once per process, so every benchmark that builds packs
// builds them here, each into parts of its own.

#include <filesystem>
#include <string>
#include <vector>

#include "Manifest.h"
#include "PackWriter.h"
#include "support/AppFolder.h"

inline const vxtest::AppFolder& benchFolder()
{
    static const vxtest::AppFolder* folder = new vxtest::AppFolder();
    return *folder;
}

// Writes the manifest as `name` in the folder and builds its parts into rsc/.
inline void buildBenchPack(const std::string& name, const std::string& manifest)
{
    const vxtest::AppFolder& app = benchFolder();
    app.write(name, manifest);
    std::vector<std::filesystem::path> inputs;
    packbuilder::writePack(packbuilder::readManifest(app.path() + "/" + name), app.path() + "/rsc",
                           inputs);
}

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

// The fonts, once per process as part 2: DejaVu Sans at 11 pixels as entries
// 1 and 2, where the game's hub reads its two font sets.
inline void buildBenchFonts()
{
    static bool built = [] {
        benchFolder().write("fonts/page.font", "face DejaVuSans\nsize 11\nchars 32-126\n");
        buildBenchPack("fonts.manifest", "part 2 chunked\n"
                                         "entry SHEET fontsheet fonts/page.font\n"
                                         "entry FONT font fonts/page.font image=SHEET\n"
                                         "entry FONT_B font fonts/page.font image=SHEET\n");
        return true;
    }();
    (void)built;
}

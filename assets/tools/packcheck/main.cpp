// vx_packcheck: checks the built packs against what the code expects of them.
//
//   vx_packcheck <application folder> <expectations>...
//
// Reads the packs from the folder's rsc/ through the engine's readers; every
// resource that is missing or of the wrong shape is reported on stderr, and
// the exit status is 1 when there is any (2 for bad arguments).

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "HostVM.h"
#include "PackCheck.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <application folder> <expectations>...\n", argv[0]);
        return 2;
    }
    if (!std::filesystem::is_directory(std::filesystem::path(argv[1]) / "rsc")) {
        std::fprintf(stderr, "vx_packcheck: no rsc folder in %s\n", argv[1]);
        return 1;
    }
    setenv("VEXALON_APP_DIR", argv[1], 1);
    int failures = 0;
    try {
        packbuilder::bootHostVM();
        for (int i = 2; i < argc; i++) {
            for (const packcheck::Expectation& e : packcheck::readExpectations(argv[i])) {
                for (const std::string& failure : packcheck::check(e)) {
                    std::fprintf(stderr, "vx_packcheck: %s\n", failure.c_str());
                    failures++;
                }
            }
        }
    } catch (const packcheck::CheckError& e) {
        std::fprintf(stderr, "vx_packcheck: %s\n", e.what());
        return 1;
    }
    if (failures)
        std::fprintf(stderr, "vx_packcheck: %d resource%s not as the code expects\n", failures,
                     failures == 1 ? "" : "s");
    return failures ? 1 : 0;
}

// vx_contactsheet: contact sheets of every Gob set and animation set of the
// game's packs, for review.
//
//   vx_contactsheet <application folder> <output folder> <manifest or expectations>...
//
// The manifests say which entries are Gob sets and animation sets; an
// animation set is drawn with the Gob set its expectations name (gobs=), or
// else with the Gob set of its manifest named like it (X_ANIMS or ANIM_X
// with X).
// One PNG per set: <output>/<manifest>-<entry>.png.

#include <cstdio>
#include <cstdlib>
#include <map>

#include "ContactSheet.h"
#include "EntryType.h"
#include "Expectation.h"
#include "HostVM.h"
#include "Manifest.h"

namespace {

// The Gob set named like an animation set (X_ANIMS or ANIM_X: X), or -1.
int32_t namesake(const packbuilder::Manifest& manifest, const std::string& animSet)
{
    std::string name;
    if (animSet.size() > 6 && animSet.compare(animSet.size() - 6, 6, "_ANIMS") == 0)
        name = animSet.substr(0, animSet.size() - 6);
    else if (animSet.size() > 5 && animSet.compare(0, 5, "ANIM_") == 0)
        name = animSet.substr(5);
    for (const packbuilder::ManifestPart& part : manifest.parts) {
        for (size_t i = 0; i < part.entries.size(); i++) {
            if (!name.empty() && part.entries[i].name == name && part.entries[i].type->name == "gobset")
                return part.number << 10 | int32_t(i);
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <application folder> <output folder> <manifest or expectations>...\n",
                     argv[0]);
        return 2;
    }
    std::filesystem::path output = argv[2];
    setenv("VEXALON_APP_DIR", argv[1], 1);
    int sheets = 0;
    int failures = 0;
    try {
        std::vector<packbuilder::Manifest> manifests;
        std::map<int32_t, int32_t> drawnWith; // animation set -> Gob set
        for (int i = 3; i < argc; i++) {
            std::filesystem::path file = argv[i];
            if (file.extension() != ".expect") {
                manifests.push_back(packbuilder::readManifest(file));
                continue;
            }
            for (const packcheck::Expectation& e : packcheck::readExpectations(file)) {
                for (const packcheck::Condition& c : e.conditions) {
                    if (e.kind == "animset" && c.key == "gobs")
                        drawnWith[e.id] = int32_t(packcheck::parseValue(c.value, 0, 0xFFFF, "gobs"));
                }
            }
        }
        packbuilder::bootHostVM();
        for (const packbuilder::Manifest& manifest : manifests) {
            std::string stem = manifest.file.filename().string();
            stem = stem.substr(0, stem.find('.'));
            for (const packbuilder::ManifestPart& part : manifest.parts) {
                for (size_t i = 0; i < part.entries.size(); i++) {
                    const packbuilder::ManifestEntry& entry = part.entries[i];
                    int32_t id = part.number << 10 | int32_t(i);
                    std::filesystem::path png = output / (stem + "-" + entry.name + ".png");
                    try {
                        if (entry.type->name == "gobset") {
                            contactsheet::writeGobSetSheet(id, entry.name, png);
                        } else if (entry.type->name == "animset") {
                            auto with = drawnWith.find(id);
                            int32_t gobs = with != drawnWith.end() ? with->second : namesake(manifest, entry.name);
                            contactsheet::writeAnimSetSheet(id, gobs, entry.name, png);
                        } else {
                            continue;
                        }
                        std::printf("%s\n", png.c_str());
                        sheets++;
                    } catch (const contactsheet::SheetError& e) {
                        std::fprintf(stderr, "vx_contactsheet: %s: %s\n", entry.name.c_str(), e.what());
                        failures++;
                    }
                }
            }
        }
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "vx_contactsheet: %s\n", e.what());
        return 1;
    }
    std::printf("%d contact sheet%s in %s\n", sheets, sheets == 1 ? "" : "s", output.c_str());
    return failures ? 1 : 0;
}

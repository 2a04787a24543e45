// vx_packbuilder: builds a resource pack from its manifest.
//
//   vx_packbuilder <manifest> <output folder> <identifier header> [<depfile> <target>]
//
// The pack's files go into the output folder; the header gets one constant
// per entry. With a depfile, every file read is listed as a dependency of
// target, so the build reruns the builder when a source changes.

#include <cstdio>
#include <fstream>

#include "EntryType.h"
#include "HostVM.h"
#include "Manifest.h"
#include "PackWriter.h"

namespace {

std::string escaped(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

void writeDepfile(const std::filesystem::path& depfile, const std::string& target,
                  const std::filesystem::path& manifest,
                  const std::vector<std::filesystem::path>& inputs)
{
    std::string text = escaped(target) + ":";
    text += " " + escaped(std::filesystem::absolute(manifest).string());
    for (const std::filesystem::path& input : inputs)
        text += " \\\n  " + escaped(std::filesystem::absolute(input).lexically_normal().string());
    packbuilder::writeFileIfChanged(depfile, text + "\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 6) {
        std::fprintf(stderr,
                     "usage: %s <manifest> <output folder> <identifier header> [<depfile> <target>]\n",
                     argv[0]);
        return 2;
    }
    try {
        packbuilder::Manifest manifest = packbuilder::readManifest(argv[1]);
        packbuilder::bootHostVM();
        std::vector<std::filesystem::path> inputs;
        std::vector<packbuilder::HeaderConstant> constants;
        packbuilder::writePack(manifest, argv[2], inputs, &constants);
        packbuilder::writeFileIfChanged(argv[3], packbuilder::identifierHeader(manifest, constants));
        if (argc == 6)
            writeDepfile(argv[4], argv[5], argv[1], inputs);
    } catch (const packbuilder::BuildError& e) {
        std::fprintf(stderr, "vx_packbuilder: %s\n", e.what());
        return 1;
    } catch (const std::filesystem::filesystem_error& e) {
        std::fprintf(stderr, "vx_packbuilder: %s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        // A fault of the builder itself rather than of the sources.
        std::fprintf(stderr, "vx_packbuilder: internal error: %s\n", e.what());
        return 1;
    }
    return 0;
}

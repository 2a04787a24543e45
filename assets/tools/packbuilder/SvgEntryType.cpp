// Pictures drawn as SVG, rendered to PNG with rsvg-convert when the pack is
// built:
//
//   entry BUTTON_SHEET svg art/buttons.svg
//
// The picture's size is the SVG's own (its width and height). The program is
// looked up on PATH, or taken from VX_RSVG_CONVERT when that is set.

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "EntryType.h"

extern char** environ;

namespace packbuilder {

namespace {

const char PNG_SIGNATURE[] = "\x89PNG\r\n\x1a\n";

std::string converter()
{
    const char* chosen = std::getenv("VX_RSVG_CONVERT");
    return chosen && *chosen ? chosen : "rsvg-convert";
}

// The PNG that rsvg-convert writes for the file; its message on failure.
std::vector<uint8_t> render(const std::string& file)
{
    std::string program = converter();
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        throw BuildError(std::string("cannot make a pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::string formatOption = "--format=png";
    char* argv[] = {program.data(), formatOption.data(), const_cast<char*>(file.c_str()), nullptr};
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        throw BuildError("cannot run " + program + " (Debian package librsvg2-bin): " +
                         std::strerror(spawned));
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(out[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw BuildError(program + " could not render " + file);
    if (bytes.size() < 8 || std::memcmp(bytes.data(), PNG_SIGNATURE, 8) != 0)
        throw BuildError(program + " wrote no PNG picture for " + file);
    return bytes;
}

std::vector<uint8_t> encodeSvg(EntryContext& entry)
{
    std::vector<uint8_t> source = entry.readSource();
    std::string text(source.begin(), source.end());
    if (text.find("<svg") == std::string::npos)
        throw BuildError(entry.source.string() + " is not an SVG picture");
    return render(entry.source.string());
}

EntryTypeRegistrar svg("svg", -3, &encodeSvg, true);

} // namespace

} // namespace packbuilder

#include "support/ToolRun.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace vxtest {

ToolRun runTool(const std::string& command)
{
    ToolRun run{-1, ""};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 256> buffer;
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        run.output.append(buffer.data(), n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace vxtest

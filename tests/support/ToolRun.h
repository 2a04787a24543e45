#pragma once
// Runs a host tool as the build runs it: its exit status and its standard
// output and error together.

#include <string>

namespace vxtest {

struct ToolRun {
    int status; // the exit status, -1 when the tool did not exit
    std::string output;
};

ToolRun runTool(const std::string& command);

}  // namespace vxtest

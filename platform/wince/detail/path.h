#pragma once
// Windows paths onto host paths, for the stand-in's file functions.

#include <string>
#include <string_view>

namespace wince_path {

// The host path for a Windows path: backslashes become slashes; when the
// path does not exist as written, each part is looked up without regard to
// case (the missing tail is kept as written). A relative path is taken from
// the application folder.
std::string toHost(std::u16string_view windowsPath);
// The application folder as a host path, without a trailing slash.
std::string applicationFolder();
// The executable's host path inside the application folder.
std::string modulePath();

}  // namespace wince_path

#pragma once
// Fatal errors of the platform layer.

// Writes the message to standard error and ends the process with exit code 1
// through the ordinary process exit.
[[noreturn]] void HAL_fatalError(const char* message);

#pragma once
// Boots the VM in a host tool's process (no boot class), with the calling
// thread as the UI thread holding the VM lock from then on, so the tool may
// use the engine's readers and writers. Once per process.

namespace packbuilder {

void bootHostVM();

} // namespace packbuilder

#pragma once
// The engine's sound manager with a log: every stop, unload, load, play and
// close is written down as text ("stop -1", "load 3 1081 -1 0", "play 1 3",
// "unload 3", "close") before the manager does it; what the manager calls on
// itself is not.

#include <functional>
#include <string>
#include <vector>

#include "tq/MediaManagerImpl.h"

namespace vxtest {

class RecordingMediaManager : public tq::MediaManagerImpl {
    VM_CLASS(RecordingMediaManager, tq::MediaManagerImpl)

    // A manager of count sounds and channels for canvas, as the hub makes.
    VMPtr<RecordingMediaManager> init(VMPtr<tq::TqCanvas> canvas, int32_t count);

    void stopChannel(int32_t channel) override;
    void unloadSound(int32_t sound) override;
    void loadSound(int32_t sound, int32_t resourceId, int32_t loopCount,
                   int32_t priority) override;
    void playSound(int32_t channel, int32_t sound) override;
    void close() override;

    std::vector<std::string> calls;
    // Runs inside close, before the manager closes.
    std::function<void()> onClose;

private:
    struct Outer;
    int32_t depth = 0;
};

} // namespace vxtest

#include "game/support/RecordingMediaManager.h"

namespace vxtest {

// Counts the calls in progress, so that what the manager calls on itself is
// not logged.
struct RecordingMediaManager::Outer {
    explicit Outer(RecordingMediaManager& m) : manager(m), outermost(m.depth++ == 0) {}
    ~Outer() { manager.depth--; }
    void log(const std::string& call)
    {
        if (outermost)
            manager.calls.push_back(call);
    }
    RecordingMediaManager& manager;
    bool outermost;
};

VMPtr<RecordingMediaManager> RecordingMediaManager::init(VMPtr<tq::TqCanvas> canvas,
                                                         int32_t count)
{
    MediaManagerImpl::init(canvas, count);
    return VMPtr<RecordingMediaManager>(this);
}

void RecordingMediaManager::stopChannel(int32_t channel)
{
    Outer outer(*this);
    outer.log("stop " + std::to_string(channel));
    MediaManagerImpl::stopChannel(channel);
}

void RecordingMediaManager::unloadSound(int32_t sound)
{
    Outer outer(*this);
    outer.log("unload " + std::to_string(sound));
    MediaManagerImpl::unloadSound(sound);
}

void RecordingMediaManager::loadSound(int32_t sound, int32_t resourceId, int32_t loopCount,
                                      int32_t priority)
{
    Outer outer(*this);
    outer.log("load " + std::to_string(sound) + " " + std::to_string(resourceId) + " " +
                    std::to_string(loopCount) + " " + std::to_string(priority));
    MediaManagerImpl::loadSound(sound, resourceId, loopCount, priority);
}

void RecordingMediaManager::playSound(int32_t channel, int32_t sound)
{
    Outer outer(*this);
    outer.log("play " + std::to_string(channel) + " " + std::to_string(sound));
    MediaManagerImpl::playSound(channel, sound);
}

void RecordingMediaManager::close()
{
    Outer outer(*this);
    outer.log("close");
    if (onClose)
        onClose();
    MediaManagerImpl::close();
}

} // namespace vxtest

VM_REGISTER_CLASS_NO_CREATOR(vxtest::RecordingMediaManager, "tests.RecordingMediaManager",
                             "tq.MediaManagerImpl", "tests", nullptr);

#include "game/support/RecordingMediaManager.h"

namespace vxtest {

VMPtr<RecordingMediaManager> RecordingMediaManager::init(VMPtr<tq::TqCanvas> canvas,
                                                         int32_t count)
{
    MediaManagerImpl::init(canvas, count);
    return VMPtr<RecordingMediaManager>(this);
}

void RecordingMediaManager::stopChannel(int32_t channel)
{
    calls.push_back("stop " + std::to_string(channel));
    MediaManagerImpl::stopChannel(channel);
}

void RecordingMediaManager::unloadSound(int32_t sound)
{
    calls.push_back("unload " + std::to_string(sound));
    MediaManagerImpl::unloadSound(sound);
}

void RecordingMediaManager::loadSound(int32_t sound, int32_t resourceId, int32_t loopCount,
                                      int32_t priority)
{
    calls.push_back("load " + std::to_string(sound) + " " + std::to_string(resourceId) + " " +
                    std::to_string(loopCount) + " " + std::to_string(priority));
    MediaManagerImpl::loadSound(sound, resourceId, loopCount, priority);
}

void RecordingMediaManager::playSound(int32_t channel, int32_t sound)
{
    calls.push_back("play " + std::to_string(channel) + " " + std::to_string(sound));
    MediaManagerImpl::playSound(channel, sound);
}

void RecordingMediaManager::close()
{
    calls.push_back("close");
    if (onClose)
        onClose();
    MediaManagerImpl::close();
}

} // namespace vxtest

VM_REGISTER_CLASS_NO_CREATOR(vxtest::RecordingMediaManager, "tests.RecordingMediaManager",
                             "tq.MediaManagerImpl", "tests", nullptr);

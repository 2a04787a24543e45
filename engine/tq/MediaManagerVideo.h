#pragma once
// tq.MediaManagerVideo: the video side of the sound manager. This engine
// plays no video: its implementation answers every operation with a
// constant or with the channel the argument names.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace tq {

class MediaManagerVideo : public virtual java::lang::Object {
    VM_INTERFACE(MediaManagerVideo)

    virtual int32_t getVideoWidth(int32_t channel) = 0;
    virtual int32_t getVideoHeight(int32_t channel) = 0;
    virtual int32_t loadVideo(int32_t video) = 0;
    virtual int32_t getVideoX(int32_t channel) = 0;
    virtual int32_t getVideoY(int32_t channel) = 0;
    virtual VMPtr<VMArray<int8_t, 1>> getVideoSnapshot(int32_t channel) = 0;
    virtual int32_t getVideoState(int32_t video) = 0;
    virtual int32_t setVideoVisible(int32_t channel) = 0;
    virtual int32_t isVideoVisible(int32_t channel) = 0;
    virtual int32_t getVideoDuration(int32_t channel) = 0;
    virtual int32_t playVideo(int32_t channel) = 0;
    virtual void stopVideo(int32_t channel) = 0;
    virtual int32_t closeVideo(int32_t channel) = 0;
};

} // namespace tq

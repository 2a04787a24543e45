// Small canvas operations: frame-time bounds, the scene window, forwarders
// to the resources and the platform natives, and the countdown byte.

#include <algorithm>

#include "java/lang/System.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"
#include "tq/platform/velto/TqVelto.h"

namespace tq {

using platform::velto::TqVelto;

// ---- Frame timing ----

void TqCanvas::setFrameTimeBoundA(int32_t ms)
{
    frameTimeBoundA = ms;
    recomputeFrameTimeBounds();
}

void TqCanvas::setFrameTimeBoundAAlias(int32_t ms)
{
    setFrameTimeBoundA(ms);
}

void TqCanvas::setFrameTimeBoundB(int32_t ms)
{
    frameTimeBoundB = ms;
    recomputeFrameTimeBounds();
}

void TqCanvas::setFrameTimeBoundBAlias(int32_t ms)
{
    setFrameTimeBoundB(ms);
}

int32_t TqCanvas::getFrameTime()
{
    return frameTime;
}

int32_t TqCanvas::getFrameTimeAlias()
{
    return getFrameTime();
}

void TqCanvas::resetFrameTiming()
{
    resetTiming = true;
    frameTime = reportedFrameTime(minFrameTime);
}

void TqCanvas::resetFrameTimingAlias()
{
    resetFrameTiming();
}

void TqCanvas::requestRefreshAlias()
{
    requestRefresh();
}

// ---- Scene window ----

void TqCanvas::setMapPosition(int32_t x, int32_t y)
{
    mapOriginX = -x;
    mapOriginY = -y;
}

int32_t TqCanvas::getMapX()
{
    return -mapOriginX;
}

int32_t TqCanvas::getMapY()
{
    return -mapOriginY;
}

bool TqCanvas::setSceneSize(int32_t width, int32_t height)
{
    sceneWidth = std::max(width, 0);
    sceneHeight = std::max(height, 0);
    if (width >= 0 && height >= 0)
        return false;
    releaseTileMap();
    return true;
}

void TqCanvas::releaseTileMap()
{
    if (layers != nullptr)
        VMPtr<TqCanvasLayers>(layers)->releaseTileMap();
}

// ---- Forwarders ----

bool TqCanvas::setSystemIdleEnabled(bool enabled)
{
    return TqVelto::setSystemIdleEnabled(enabled);
}

int32_t TqCanvas::getPlatformOrientation()
{
    return TqVelto::getOrientation();
}

int32_t TqCanvas::getOrientation()
{
    return getPlatformOrientation();
}

bool TqCanvas::setPlatformOrientation(int32_t orientation)
{
    return TqVelto::setOrientation(orientation);
}

int32_t TqCanvas::getResourceByte(int32_t id)
{
    return Resources::getEntryByte(id);
}

int32_t TqCanvas::getResourceInt(int32_t id)
{
    return Resources::getEntryInt(id);
}

int32_t TqCanvas::getTransparentIndex(int32_t id)
{
    return Resources::getTransparentIndex(id);
}

void TqCanvas::closeResourcePack()
{
    Resources::closePack();
}

bool TqCanvas::openResourcePackFromRecord(int32_t storeId)
{
    return Resources::openPackFromRecord(storeId);
}

bool TqCanvas::openResourcePackFromRecordAlias(int32_t storeId)
{
    return openResourcePackFromRecord(storeId);
}

int64_t TqCanvas::currentTimeMillis()
{
    return java::lang::System::currentTimeMillis();
}

// ---- Countdown byte ----

int32_t TqCanvas::nextCountdownValue()
{
    _VM_clinit();
    if (countdownValue == 40)
        return 0;
    return countdownValue--;
}

} // namespace tq

#pragma once
// The platform layer's whole interface: every layer above includes this file.

#include "hal/status.h"
#include "hal/callbacks.h"
#include "hal/thread.h"
#include "hal/memory.h"
#include "hal/string.h"
#include "hal/recordstore.h"
#include "hal/http.h"
#include "hal/image.h"
#include "hal/screen.h"
#include "hal/graphics.h"
#include "hal/font.h"
#include "hal/audio.h"

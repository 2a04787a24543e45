#include "tq/MediaManager.h"

VM_REGISTER_INTERFACE(tq::MediaManager, "tq.MediaManager", "..\\src\\tq_MediaManager", nullptr);

#include "tq/MediaManagerVideo.h"

VM_REGISTER_INTERFACE(tq::MediaManagerVideo, "tq.MediaManagerVideo", "..\\src\\tq_MediaManagerVideo",
                      nullptr);

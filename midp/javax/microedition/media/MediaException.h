#pragma once

#include "java/lang/Exception.h"

namespace javax::microedition::media {

class MediaException : public java::lang::Exception {
    VM_EXCEPTION(MediaException, java::lang::Exception)
};

} // namespace javax::microedition::media

#include "com/tarquel/velto/cldc/io/ResourceInputStream.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "hal/device.h"
#include "java/io/IOException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"

namespace com::tarquel::velto::cldc::io {

using java::io::IOException;

namespace {

// The end-of-data status of the platform's resource reads.
constexpr int32_t kEndOfData = 3;

[[noreturn]] void throwResourceError(int32_t status)
{
    VMPtr<java::lang::StringBuffer> text = java::lang::StringBuffer::newInstance();
    text->init("Resource error: ");
    text->append(status);
    vm_throwNew<IOException>(text->toString());
}

} // namespace

ResourceInputStream::~ResourceInputStream()
{
    if (handle)
        HAL_closeResource(handle);
}

VMPtr<ResourceInputStream> ResourceInputStream::init(VMPtr<java::lang::String> name)
{
    InputStream::init();
    handle = nullptr;
    java::lang::String* text = vm_nonNull(name);
    int32_t status = HAL_openResource(&handle, text->chars(), text->length());
    if (status != 0)
        throwResourceError(status);
    if (!handle)
        vm_throwNew<IOException>();
    size = HAL_getResourceSize(handle);
    if (size < 0) { // unreadable or too large for an int
        close();
        vm_throwNew<IOException>();
    }
    pos = 0;
    markPosition = 0;
    return VMPtr<ResourceInputStream>(this);
}

void ResourceInputStream::checkOpen()
{
    if (!handle)
        vm_throwNew<IOException>();
}

int32_t ResourceInputStream::readDirect(void* buffer, int32_t at, int32_t count)
{
    int32_t status = HAL_readResource(handle, buffer, at, &count);
    // The platform reports the end of the file as a short count, with
    // status 0 or the end-of-data status.
    if ((status == 0 || status == kEndOfData) && count < 1)
        return -1;
    if (status != 0)
        throwResourceError(status);
    return count;
}

int32_t ResourceInputStream::readAt(void* buffer, int32_t count)
{
    if (count >= kAhead) {
        int32_t n = readDirect(buffer, pos, count);
        if (n > 0)
            pos += n;
        return n;
    }
    int32_t done = 0;
    while (done < count) {
        if (pos < aheadStart || pos >= aheadStart + aheadCount) {
            aheadCount = 0;
            int32_t n = readDirect(ahead, pos, kAhead);
            if (n < 0)
                break;
            aheadStart = pos;
            aheadCount = n;
        }
        int32_t n = std::min(count - done, aheadStart + aheadCount - pos);
        std::memcpy(static_cast<uint8_t*>(buffer) + done, ahead + (pos - aheadStart), size_t(n));
        pos += n;
        done += n;
    }
    return done > 0 ? done : -1;
}

int32_t ResourceInputStream::read()
{
    checkOpen();
    uint8_t byte = 0;
    return readAt(&byte, 1) < 0 ? -1 : byte;
}

int32_t ResourceInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    checkOpen();
    java::io::_VM_checkRange(vm_nonNull(b)->length, off, len);
    if (len == 0)
        return 0;
    if (pos >= size)
        return -1;
    return readAt(b->elements() + off, std::min(len, size - pos));
}

int32_t ResourceInputStream::readBytes(uint8_t* to, int32_t count)
{
    if (typeid(*this) != typeid(ResourceInputStream))
        return InputStream::readBytes(to, count);
    checkOpen();
    if (count <= 0 || pos >= size)
        return 0;
    return std::max(readAt(to, std::min(count, size - pos)), 0);
}

int64_t ResourceInputStream::skip(int64_t n)
{
    checkOpen();
    if (n <= 0)
        return 0;
    if (n > size - pos) // not pos + n: that overflows for a huge n
        n = size - pos;
    pos += int32_t(n);
    return n;
}

void ResourceInputStream::reset()
{
    checkOpen();
    pos = markPosition;
}

void ResourceInputStream::close()
{
    if (handle) {
        HAL_closeResource(handle);
        handle = nullptr;
    }
}

} // namespace com::tarquel::velto::cldc::io

VM_REGISTER_CLASS_NO_CREATOR(com::tarquel::velto::cldc::io::ResourceInputStream,
                             "com.tarquel.velto.cldc.io.ResourceInputStream",
                             "java.io.InputStream",
                             "target/winmo/pb_src/j2me/com_tarquel_velto_cldc_io_ResourceInputStream",
                             nullptr);

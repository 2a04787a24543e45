#include "com/tarquel/velto/midp/io/HttpInputStream.h"

#include <algorithm>
#include <cstring>

#include "hal/http.h"
#include "java/io/IOException.h"
#include "java/io/InputStream.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMThread.h"

namespace com::tarquel::velto::midp::io {

namespace {

constexpr int32_t kEndOfData = 3;

} // namespace

[[noreturn]] void _VM_throwHttpError(int32_t status)
{
    VMPtr<java::lang::StringBuffer> text =
        java::lang::StringBuffer::newInstance()->init("HttpConnection error: ");
    text->append(status);
    vm_throwNew<java::io::IOException>(text->toString());
}

HttpInputStream::~HttpInputStream()
{
    if (connection)
        HAL_closeHTTPInputStream(connection);
}

VMPtr<HttpInputStream> HttpInputStream::init(HALHttpConnection* connection)
{
    InputStream::init();
    this->connection = connection;
    HAL_openHTTPInputStream(connection);
    return VMPtr<HttpInputStream>(this);
}

void HttpInputStream::checkOpen()
{
    if (!connection)
        vm_throwNew<java::io::IOException>(_VM_literal("The input stream has been closed"));
}

bool HttpInputStream::refill()
{
    if (count - position > 0)
        return true;
    const int8_t* block = nullptr;
    int32_t read = 0;
    int32_t status = HAL_readHTTP(connection, &block, &read);
    position = 0;
    count = 0;
    checkOpen();  // closed by another thread while the request was out
    if (status == kEndOfData)
        return false;
    if (status != 0)
        _VM_throwHttpError(status);
    buffer = block;
    count = read;
    return count > 0;
}

int32_t HttpInputStream::read()
{
    checkOpen();
    if (!refill())
        return -1;
    return uint8_t(buffer[position++]);
}

int32_t HttpInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    checkOpen();
    java::io::_VM_checkRange(vm_nonNull(b)->length, off, len);
    if (!refill())
        return -1;
    int32_t n = std::min(len, count - position);
    if (n > 0) {
        std::memcpy(b->elements() + off, buffer + position, size_t(n));
        position += n;
    }
    return n;
}

int64_t HttpInputStream::skip(int64_t n)
{
    checkOpen();
    if (n <= 0)
        return 0;
    int64_t remaining = n;
    while (remaining > 0) {
        int32_t left = available();
        if (left > 0) {
            int32_t step = int32_t(std::min<int64_t>(remaining, left));
            position += step;
            remaining -= step;
            continue;
        }
        VMThread::yield();
        if (read() < 0)
            break;
        --remaining;
    }
    return n - remaining;
}

void HttpInputStream::close()
{
    if (connection)
        HAL_closeHTTPInputStream(connection);
    connection = nullptr;
    buffer = nullptr;
}

} // namespace com::tarquel::velto::midp::io

VM_REGISTER_CLASS_NO_CREATOR(com::tarquel::velto::midp::io::HttpInputStream,
                             "com.tarquel.velto.midp.io.HttpInputStream", "java.io.InputStream",
                             "target/winmo/pb_src/j2me/com_tarquel_velto_midp_io_HttpInputStream",
                             nullptr);

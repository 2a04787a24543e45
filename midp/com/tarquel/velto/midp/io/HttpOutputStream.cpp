#include "com/tarquel/velto/midp/io/HttpOutputStream.h"

#include "hal/http.h"
#include "java/io/IOException.h"
#include "java/io/InputStream.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "vm/VMStringLiterals.h"

namespace com::tarquel::velto::midp::io {

HttpOutputStream::~HttpOutputStream()
{
    if (connection)
        HAL_closeHTTPOutputStream(connection);
}

VMPtr<HttpOutputStream> HttpOutputStream::init(HALHttpConnection* connection)
{
    OutputStream::init();
    this->connection = connection;
    HAL_openHTTPOutputStream(connection);
    return VMPtr<HttpOutputStream>(this);
}

void HttpOutputStream::checkOpen()
{
    if (!connection)
        vm_throwNew<java::io::IOException>(_VM_literal("The output stream has been closed"));
}

void HttpOutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    checkOpen();
    java::io::_VM_checkRange(vm_nonNull(b)->length, off, len);
    HAL_writeHTTP(connection, b->elements() + off, len);
}

void HttpOutputStream::write(int32_t b)
{
    checkOpen();
    int8_t byte = int8_t(b);
    HAL_writeHTTP(connection, &byte, 1);
}

void HttpOutputStream::close()
{
    if (connection)
        HAL_closeHTTPOutputStream(connection);
    connection = nullptr;
}

} // namespace com::tarquel::velto::midp::io

VM_REGISTER_CLASS_NO_CREATOR(com::tarquel::velto::midp::io::HttpOutputStream,
                             "com.tarquel.velto.midp.io.HttpOutputStream", "java.io.OutputStream",
                             "target/winmo/pb_src/j2me/com_tarquel_velto_midp_io_HttpOutputStream",
                             nullptr);

#include "javax/microedition/io/HttpConnection.h"

#include "java/lang/String.h"
#include "vm/VMStringLiterals.h"

namespace javax::microedition::io {

namespace {

void initializeHttpConnection()
{
    HttpConnection::HEAD = _VM_literal("HEAD");
    HttpConnection::GET = _VM_literal("GET");
    HttpConnection::POST = _VM_literal("POST");
}

} // namespace

} // namespace javax::microedition::io

VM_REGISTER_INTERFACE(javax::microedition::io::HttpConnection,
                      "javax.microedition.io.HttpConnection",
                      "target/winmo/pb_src/j2me/javax_microedition_io_HttpConnection",
                      &javax::microedition::io::initializeHttpConnection);

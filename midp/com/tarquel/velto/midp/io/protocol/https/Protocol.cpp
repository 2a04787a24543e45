#include "com/tarquel/velto/midp/io/protocol/https/Protocol.h"

#include "vm/VMStringLiterals.h"

namespace com::tarquel::velto::midp::io::protocol::https {

namespace {

void initializeProtocol()
{
    Protocol::secureProtocolName = _VM_literal("https");
}

} // namespace

VMPtr<Protocol> Protocol::init()
{
    http::Protocol::init();
    return VMPtr<Protocol>(this);
}

VMPtr<java::lang::String> Protocol::getProtocol()
{
    ensureOpen();
    _VM_clinit();
    return secureProtocolName;
}

int32_t Protocol::getPort()
{
    ensureOpen();
    int32_t port = http::Protocol::getPort();
    return port == 80 ? 443 : port;
}

VMPtr<javax::microedition::io::SecurityInfo> Protocol::getSecurityInfo()
{
    return VMPtr<javax::microedition::io::SecurityInfo>();
}

} // namespace com::tarquel::velto::midp::io::protocol::https

using com::tarquel::velto::midp::io::protocol::https::Protocol;

VM_REGISTER_CLASS(Protocol, "com.tarquel.velto.midp.io.protocol.https.Protocol",
                  "com.tarquel.velto.midp.io.protocol.http.Protocol",
                  "target/winmo/pb_src/j2me/com_tarquel_velto_midp_io_protocol_https_Protocol",
                  &com::tarquel::velto::midp::io::protocol::https::initializeProtocol);
VM_IMPLEMENTS(Protocol, "javax.microedition.io.HttpsConnection");

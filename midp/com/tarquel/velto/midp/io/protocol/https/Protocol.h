#pragma once
// com.tarquel.velto.midp.io.protocol.https.Protocol: the connection for
// "https" URLs: the http connection answering "https" as its protocol and
// 443 for the default port, with no security information.

#include "com/tarquel/velto/midp/io/protocol/http/Protocol.h"
#include "javax/microedition/io/HttpsConnection.h"

namespace com::tarquel::velto::midp::io::protocol::https {

class Protocol : public com::tarquel::velto::midp::io::protocol::http::Protocol,
                 public virtual javax::microedition::io::HttpsConnection {
    VM_CLASS(Protocol, com::tarquel::velto::midp::io::protocol::http::Protocol)

    VMPtr<Protocol> init();

    VMPtr<String> getProtocol() override;
    // 443 where the http connection answers 80.
    int32_t getPort() override;
    // Always null.
    VMPtr<javax::microedition::io::SecurityInfo> getSecurityInfo() override;

    VM_STATIC(String, secureProtocolName);
};

} // namespace com::tarquel::velto::midp::io::protocol::https

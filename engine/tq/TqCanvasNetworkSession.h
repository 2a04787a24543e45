#pragma once
// tq.TqCanvas$NetworkSession: one HTTP exchange for the canvas on a thread
// of its own. It opens the connection, sends the method, the extra headers
// and an optional body, reads the whole reply and hands the response code
// and the bytes to the canvas, or a negative code naming the failed phase:
// -9 connecting, -11 request headers, -13 the body, -12 the reply. A failure
// while reading a reply whose code is not 200 reports that code. A code
// that cannot be read counts as 200; a stream that ends before the
// announced length is a complete reply of the bytes that came. A session
// reports only while it is the
// canvas's current session; a replaced or cancelled session stops at its
// next check and reports nothing.

#include <cstdint>

#include "java/io/InputStream.h"
#include "java/io/OutputStream.h"
#include "java/lang/String.h"
#include "java/lang/Thread.h"
#include "javax/microedition/io/HttpConnection.h"
#include "tq/TqCanvas.h"
#include "vm/VMArray.h"

namespace tq {

class TqCanvas_TQC_NetworkSession : public java::lang::Thread {
    VM_CLASS(TqCanvas_TQC_NetworkSession, java::lang::Thread)

    using ByteArray = VMArray<int8_t, 1>;

    // The unnamed thread; the canvas fills canvas, url, headers and postData
    // and starts it.
    VMPtr<TqCanvas_TQC_NetworkSession> init();
    // The exchange.
    void run() override;
    // Closes the body stream, the reply stream and the connection; a close
    // that fails leaves its field set.
    virtual void close();
    // The next read of a reply of known length: what the stream has
    // available (1024 when it answers nothing), at most what is missing.
    virtual int32_t nextChunkLength();

    VMField<ByteArray> postData;
    VMField<java::io::InputStream> input;
    VMField<javax::microedition::io::HttpConnection> connection;
    VMField<java::lang::String> url;
    VMField<TqCanvas> canvas;
    // -1 after a failure.
    int32_t bytesRead = 0;
    VMField<java::lang::String> headers;
    VMField<java::io::OutputStream> output;
    // -1 until the reply's length is known.
    int32_t contentLength = -1;

private:
    bool isCurrent();
    // Throws Exception when the session is no longer current.
    void checkCurrent();
    void sendHeaderLines();
    bool replyIsEncoded();
    // Sets contentLength from the reply's headers or the connection.
    void findContentLength();
    // The reply read to the end of the stream.
    VMPtr<ByteArray> readToEnd();

public:
    VM_FIELDS(postData, input, connection, url, canvas, headers, output)
};

} // namespace tq

// The canvas's queued calls and its HTTP and socket sessions.

#include "tq/TqCanvas.h"

#include "java/io/IOException.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace tq {

using java::lang::Runnable;
using java::lang::String;

void TqCanvas::refuseConnection()
{
    vm_throwNew<java::io::IOException>(_VM_literal("Unexpected connection type"));
}

void TqCanvas::initNetwork()
{
    networkLock = java::lang::Object::newInstance()->init();
    pendingCalls = java::util::Vector::newInstance()->init();
}

void TqCanvas::scheduleRunnable(VMPtr<Runnable> r)
{
    // A null call fails here, for its caller, not later on the canvas thread.
    vm_nonNull(r);
    VMSynchronized guard(networkLock);
    callsPending = true;
    pendingCalls->addElement(r);
}

void TqCanvas::networkTransferComplete(int32_t status, VMPtr<ByteArray> data)
{
    VMSynchronized guard(networkLock);
    networkDone = true;
    networkStatus = status;
    networkData = data && data->length > 0 ? data : VMPtr<ByteArray>();
}

void TqCanvas::processPendingCallbacks()
{
    if (!networkDone && !callsPending)
        return;
    // Each item is taken under the lock and run without it, so the game
    // code it reaches may start or cancel sessions from here.
    bool resultReady;
    int32_t status = 0;
    VMPtr<ByteArray> data;
    {
        VMSynchronized guard(networkLock);
        resultReady = networkDone;
        if (resultReady) {
            status = networkStatus;
            data = networkData;
            networkDone = false;
            networkData = nullptr;
        }
    }
    if (resultReady)
        networkResult(status, data);
    for (;;) {
        VMPtr<Runnable> call;
        {
            VMSynchronized guard(networkLock);
            if (pendingCalls->isEmpty()) {
                callsPending = false;
                return;
            }
            call = vm_cast<Runnable>(pendingCalls->firstElement());
            pendingCalls->removeElementAt(0);
        }
        call->run();
    }
}

void TqCanvas::networkResult(int32_t, VMPtr<ByteArray>) {}

void TqCanvas::startNetworkSession(VMPtr<String> url, VMPtr<String> headers,
                                   VMPtr<ByteArray> postData)
{
    VMSynchronized guard(this);
    cancelNetworkSession();
    VMPtr<TqCanvas_TQC_NetworkSession> session = TqCanvas_TQC_NetworkSession::newInstance()->init();
    networkSession = session;
    session->canvas = VMPtr<TqCanvas>(this);
    session->url = url;
    session->headers = headers;
    session->postData = postData;
    session->start();
}

void TqCanvas::startNetworkSession(VMPtr<String> url, VMPtr<String> headers)
{
    startNetworkSession(url, headers, VMPtr<ByteArray>());
}

void TqCanvas::cancelNetworkSession()
{
    VMSynchronized guard(this);
    {
        VMSynchronized resultGuard(networkLock);
        networkDone = false;
        networkData = nullptr;
    }
    networkSession = nullptr;
}

int32_t TqCanvas::getNetworkContentLength()
{
    VMSynchronized guard(this);
    VMPtr<TqCanvas_TQC_NetworkSession> session = networkSession;
    return session ? session->contentLength : 0;
}

int32_t TqCanvas::getNetworkBytesRead()
{
    VMSynchronized guard(this);
    VMPtr<TqCanvas_TQC_NetworkSession> session = networkSession;
    return session ? session->bytesRead : 0;
}

int32_t TqCanvas::startSocketSession(VMPtr<String> address)
{
    closeSocketSession();
    VMPtr<TqCanvas_TQC_SocketSession> session = TqCanvas_TQC_SocketSession::newInstance()->init();
    socketSession = session;
    session->canvas = VMPtr<TqCanvas>(this);
    VMPtr<java::lang::StringBuffer> text =
        java::lang::StringBuffer::newInstance()->init(_VM_literal("socket://"));
    text->append(address);
    session->url = text->toString();
    session->start();
    return 0;
}

void TqCanvas::closeSocketSession()
{
    VMPtr<TqCanvas_TQC_SocketSession> session = socketSession;
    if (session)
        session->close();
}

int32_t TqCanvas::socketSend(VMPtr<ByteArray> data, int32_t offset, int32_t length)
{
    VMPtr<TqCanvas_TQC_SocketSession> session = socketSession;
    if (!session)
        return -1;
    // Checked here, where the caller can see it, not later by the writer.
    int32_t size = vm_nonNull(data)->length;
    if (offset < 0 || offset > size)
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>(offset);
    if (length < 0 || length > size - offset)
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>(offset + length);
    session->enqueue(data, offset, length);
    return 0;
}

void TqCanvas::socketDataReceived(VMPtr<ByteArray>, int32_t) {}

} // namespace tq

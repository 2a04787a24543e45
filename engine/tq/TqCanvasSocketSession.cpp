#include "tq/TqCanvasSocketSession.h"

#include "java/io/IOException.h"
#include "java/lang/Integer.h"
#include "java/lang/InterruptedException.h"
#include "java/lang/Runtime.h"
#include "javax/microedition/io/Connector.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

VM_REGISTER_CLASS(tq::TqCanvas_TQC_SocketSession, "tq.TqCanvas$SocketSession",
                  "java.lang.Thread", "tq_TqCanvas_TQC_SocketSession", nullptr);

namespace tq {

using java::lang::Integer;
using java::lang::Throwable;
using javax::microedition::io::Connector;
using javax::microedition::io::SocketConnection;

namespace {

constexpr int32_t RECEIVE_BUFFER = 256;
// The writer's longest wait for a packet, so it sees a close without a
// wake-up.
constexpr int64_t WRITER_WAIT_MS = 1000;
constexpr int32_t ENTRIES_PER_PACKET = 3;

} // namespace

VMPtr<TqCanvas_TQC_SocketSession> TqCanvas_TQC_SocketSession::init()
{
    Thread::init();
    queue = java::util::Vector::newInstance()->init();
    return VMPtr<TqCanvas_TQC_SocketSession>(this);
}

void TqCanvas_TQC_SocketSession::run()
{
    if (url)
        read();
    else
        write();
}

void TqCanvas_TQC_SocketSession::read()
{
    // One connected reader at a time: a new session connects once the
    // previous reader has closed.
    VMSynchronized readers(classRecord());
    try {
        if (closed)
            vm_throwNew<java::io::IOException>(_VM_literal("Closed before connecting"));
        connection = TqCanvas::openConnection<SocketConnection>(url, Connector::READ_WRITE, false);
        input = connection->openDataInputStream();
        output = connection->openDataOutputStream();
        url = nullptr;
        java::lang::Thread::newInstance()->init(VMPtr<java::lang::Runnable>(this))->start();

        VMPtr<ByteArray> buffer = ByteArray::newArray(RECEIVE_BUFFER);
        while (!closed) {
            int32_t n = input->available();
            if (n > buffer->length)
                buffer = ByteArray::newArray(n);
            if (n < 1)
                n = 1;
            n = input->read(buffer, 0, n);
            if (n < 0)
                break; // the peer closed the stream
            if (n > 0)
                canvas->socketDataReceived(buffer, n);
        }
    } catch (Throwable* caught) {
        VMPtr<Throwable> ended(caught);
    }
    close();
}

void TqCanvas_TQC_SocketSession::write()
{
    while (!closed) {
        try {
            sendQueued();
        } catch (Throwable* caught) {
            VMPtr<Throwable> failure(caught);
            close();
        }
        VMPtr<java::util::Vector> packets = queue;
        VMSynchronized guard(packets);
        if (packets->isEmpty() && !closed) {
            try {
                packets->wait(WRITER_WAIT_MS);
            } catch (java::lang::InterruptedException* caught) {
                VMPtr<java::lang::InterruptedException> ignored(caught);
            }
        }
    }
}

void TqCanvas_TQC_SocketSession::sendQueued()
{
    VMPtr<java::util::Vector> packets = queue;
    for (;;) {
        VMPtr<ByteArray> data;
        int32_t offset, length;
        {
            VMSynchronized guard(packets);
            if (packets->size() < ENTRIES_PER_PACKET)
                return;
            data = vm_cast<ByteArray>(packets->elementAt(0));
            offset = vm_cast<Integer>(packets->elementAt(1))->value;
            length = vm_cast<Integer>(packets->elementAt(2))->value;
            for (int32_t i = 0; i < ENTRIES_PER_PACKET; i++)
                packets->removeElementAt(0);
        }
        if (length > 0) {
            VMPtr<java::io::DataOutputStream> out = output;
            out->write(data, offset, length);
            out->flush();
        }
    }
}

void TqCanvas_TQC_SocketSession::enqueue(VMPtr<ByteArray> data, int32_t offset, int32_t length)
{
    if (closed)
        return;
    VMPtr<java::util::Vector> packets = queue;
    VMSynchronized guard(packets);
    packets->addElement(data);
    packets->addElement(Integer::newInstance()->init(offset));
    packets->addElement(Integer::newInstance()->init(length));
    packets->notify();
}

void TqCanvas_TQC_SocketSession::close()
{
    VMSynchronized guard(this);
    bool first = !closed;
    closed = true;
    // Every time: a reader that connected after an earlier close releases
    // its connection here.
    closeConnection();
    if (first) {
        VMPtr<java::util::Vector> packets = queue;
        VMSynchronized queueGuard(packets);
        packets->removeAllElements();
        packets->notify();
    }
    if (first)
        java::lang::Runtime::getRuntime()->gc();
    VMPtr<TqCanvas> owner = canvas;
    if (owner && owner->socketSession.get() == this)
        owner->socketSession = nullptr;
}

void TqCanvas_TQC_SocketSession::closeConnection()
{
    TqCanvas::closeAndClear(output);
    TqCanvas::closeAndClear(input);
    TqCanvas::closeAndClear(connection);
}

} // namespace tq

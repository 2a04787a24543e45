#pragma once
// tq.TqCanvas$SocketSession: a raw stream connection for the canvas. The
// session's own thread reads: it connects, starts a plain thread running the
// same object as the writer, and hands every block it receives to the
// canvas. The writer sends the packets the canvas queues, in order, each
// written and flushed on its own. The two roles tell each other apart by
// url, which the reader clears once connected.
//
// The queue holds three entries per packet: the array, then its offset and
// its length as Integers. Lock order: the session's monitor before the
// queue's.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/lang/String.h"
#include "java/lang/Thread.h"
#include "java/util/Vector.h"
#include "javax/microedition/io/SocketConnection.h"
#include "tq/TqCanvas.h"
#include "vm/VMArray.h"

namespace tq {

class TqCanvas_TQC_SocketSession : public java::lang::Thread {
    VM_CLASS(TqCanvas_TQC_SocketSession, java::lang::Thread)

    using ByteArray = VMArray<int8_t, 1>;

    // The unnamed thread with an empty queue; the canvas sets canvas and url
    // and starts it.
    VMPtr<TqCanvas_TQC_SocketSession> init();
    // The reader while url is set, else the writer.
    void run() override;
    // Closes the streams and the connection; the first time also empties
    // the queue and wakes the writer; the canvas drops this session when it
    // is its current one.
    virtual void close();
    // Appends one packet for the writer and wakes it; nothing once closed.
    void enqueue(VMPtr<ByteArray> data, int32_t offset, int32_t length);

    VMField<javax::microedition::io::SocketConnection> connection;
    bool closed = false;
    VMField<java::io::DataOutputStream> output;
    VMField<java::io::DataInputStream> input;
    VMField<java::lang::String> url;
    VMField<TqCanvas> canvas;
    VMField<java::util::Vector> queue;

private:
    void read();
    void write();
    // Writes the queued packets; false when the queue was emptied.
    void sendQueued();
    // Closes and clears output, input and connection; a close that fails
    // leaves its field set.
    void closeConnection();

public:
    VM_FIELDS(connection, output, input, url, canvas, queue)
};

} // namespace tq

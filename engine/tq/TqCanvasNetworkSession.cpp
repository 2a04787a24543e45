#include "tq/TqCanvasNetworkSession.h"

#include <algorithm>

#include "java/io/ByteArrayOutputStream.h"
#include "java/lang/Exception.h"
#include "java/lang/Integer.h"
#include "javax/microedition/io/Connector.h"
#include "tq/io/FastInputStream.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

VM_REGISTER_CLASS(tq::TqCanvas_TQC_NetworkSession, "tq.TqCanvas$NetworkSession",
                  "java.lang.Thread", "tq_TqCanvas_TQC_NetworkSession", nullptr);

namespace tq {

using java::lang::String;
using java::lang::Throwable;
using javax::microedition::io::Connector;
using javax::microedition::io::HttpConnection;

namespace {

constexpr int32_t PHASE_CONNECT = -9;
constexpr int32_t PHASE_HEADERS = -11;
constexpr int32_t PHASE_REPLY = -12;
constexpr int32_t PHASE_BODY = -13;
// Pause of every read round, so the session leaves the processor to the
// frame loop.
constexpr int64_t READ_PAUSE_MS = 25;
constexpr int32_t READ_BLOCK = 1024;

} // namespace

VMPtr<TqCanvas_TQC_NetworkSession> TqCanvas_TQC_NetworkSession::init()
{
    Thread::init();
    contentLength = -1;
    return VMPtr<TqCanvas_TQC_NetworkSession>(this);
}

bool TqCanvas_TQC_NetworkSession::isCurrent()
{
    VMPtr<TqCanvas> owner = canvas;
    return owner && owner->networkSession.get() == this;
}

void TqCanvas_TQC_NetworkSession::checkCurrent()
{
    if (!isCurrent())
        vm_throwNew<java::lang::Exception>(_VM_literal("Network session replaced"));
}

void TqCanvas_TQC_NetworkSession::run()
{
    int32_t phase = PHASE_CONNECT;
    VMPtr<ByteArray> result;
    try {
        checkCurrent();
        bool post = bool(postData);
        connection = TqCanvas::openConnection<HttpConnection>(
            url, post ? Connector::READ_WRITE : Connector::READ, true);
        connection->setRequestMethod(post ? _VM_literal("POST") : _VM_literal("GET"));

        phase = PHASE_HEADERS;
        if (post)
            connection->setRequestProperty(_VM_literal("Content-Type"),
                                           _VM_literal("application/octet-stream"));
        if (headers)
            sendHeaderLines();

        if (post) {
            checkCurrent();
            phase = PHASE_BODY;
            connection->setRequestProperty(_VM_literal("Content-Length"),
                                           String::valueOf(postData->length));
            output = connection->openOutputStream();
            output->write(postData);
            TqCanvas::closeAndClear(output);
            output = nullptr;
            postData = nullptr;
        }

        // A code that cannot be read is taken as 200; the reading of the
        // reply then decides.
        int32_t responseCode = HttpConnection::HTTP_OK;
        try {
            responseCode = connection->getResponseCode();
        } catch (java::lang::Exception* caught) {
            VMPtr<java::lang::Exception> ignored(caught);
        }
        phase = responseCode == HttpConnection::HTTP_OK ? PHASE_REPLY : responseCode;

        input = connection->openInputStream();
        contentLength = -1;
        if (!replyIsEncoded())
            findContentLength();
        checkCurrent();

        bytesRead = 0;
        if (contentLength < 1) {
            result = readToEnd();
        } else {
            Thread::sleep(READ_PAUSE_MS);
            result = ByteArray::newArray(contentLength);
            while (isCurrent() && bytesRead < contentLength) {
                int32_t n = input->read(result, bytesRead, nextChunkLength());
                if (n == -1) {
                    // Shorter than announced: the bytes that came.
                    VMPtr<ByteArray> received = ByteArray::newArray(bytesRead);
                    std::copy_n(result->elements(), bytesRead, received->elements());
                    result = received;
                    break;
                }
                bytesRead += n;
                Thread::sleep(READ_PAUSE_MS);
            }
        }
        if (isCurrent())
            canvas->networkTransferComplete(responseCode, result);
    } catch (Throwable* caught) {
        VMPtr<Throwable> failure(caught);
        bytesRead = -1;
        try {
            if (isCurrent())
                canvas->networkTransferComplete(phase, result);
        } catch (Throwable* reportFailure) {
            VMPtr<Throwable> ignored(reportFailure);
        }
    }
    close();
}

void TqCanvas_TQC_NetworkSession::sendHeaderLines()
{
    VMPtr<String> text = headers;
    int32_t length = text->length();
    for (int32_t i = 0; i < length;) {
        int32_t colon = text->indexOf(':', i);
        if (colon < 0)
            break;
        int32_t end = text->indexOf('\n', colon);
        if (end < 0)
            end = length;
        // Trimming also drops the carriage return of a CR LF line end.
        connection->setRequestProperty(text->substring(i, colon)->trim(),
                                       text->substring(colon + 1, end)->trim());
        i = end + 1;
    }
}

bool TqCanvas_TQC_NetworkSession::replyIsEncoded()
{
    try {
        VMPtr<String> encoding = connection->getEncoding();
        return encoding && encoding->trim()->length() > 0;
    } catch (Throwable* caught) {
        VMPtr<Throwable> ignored(caught);
        return false;
    }
}

void TqCanvas_TQC_NetworkSession::findContentLength()
{
    VMPtr<String> name = _VM_literal("Content-Length");
    try {
        contentLength = connection->getHeaderFieldInt(name, -1);
    } catch (Throwable* caught) {
        VMPtr<Throwable> ignored(caught);
    }
    if (contentLength < 0) {
        // Failing here fails the exchange.
        VMPtr<String> text = connection->getHeaderField(name);
        try {
            if (!text) {
                // The name spelt in another case.
                VMPtr<String> wanted = name->toLowerCase();
                for (int32_t i = 0; i < 50 && !text; i++) {
                    try {
                        VMPtr<String> key = connection->getHeaderFieldKey(i);
                        if (key && key->toLowerCase()->equals(wanted))
                            text = connection->getHeaderField(i);
                    } catch (Throwable* caught) {
                        VMPtr<Throwable> ignored(caught);
                    }
                }
            }
            if (text)
                contentLength = java::lang::Integer::parseInt(text->trim());
        } catch (Throwable* caught) {
            VMPtr<Throwable> ignored(caught);
        }
    }
    if (contentLength < 0) {
        try {
            // A length that does not fit an int is unknown: read to the end
            // rather than wrap it into a small one.
            int64_t announced = connection->getLength();
            if (announced >= 0 && announced <= INT32_MAX)
                contentLength = int32_t(announced);
        } catch (Throwable* caught) {
            VMPtr<Throwable> ignored(caught);
        }
    }
}

VMPtr<TqCanvas_TQC_NetworkSession::ByteArray> TqCanvas_TQC_NetworkSession::readToEnd()
{
    VMPtr<tq::io::FastInputStream> reader = tq::io::FastInputStream::newInstance()->init(input);
    VMPtr<java::io::ByteArrayOutputStream> gathered =
        java::io::ByteArrayOutputStream::newInstance()->init(READ_BLOCK);
    while (isCurrent()) {
        int32_t n = reader->drainTo(gathered);
        if (n == -1)
            break;
        bytesRead += n;
        Thread::sleep(READ_PAUSE_MS);
    }
    bytesRead = gathered->size();
    return gathered->toByteArray();
}

int32_t TqCanvas_TQC_NetworkSession::nextChunkLength()
{
    int32_t available = 0;
    try {
        available = input->available();
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> ignored(caught);
    }
    if (available <= 0)
        available = READ_BLOCK;
    return std::min(available, contentLength - bytesRead);
}

void TqCanvas_TQC_NetworkSession::close()
{
    VMSynchronized guard(this);
    TqCanvas::closeAndClear(output);
    TqCanvas::closeAndClear(input);
    TqCanvas::closeAndClear(connection);
}

} // namespace tq

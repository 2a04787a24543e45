#include "com/tarquel/velto/midp/io/protocol/http/Protocol.h"

#include <string>

#include "com/tarquel/velto/cldc/util/GregorianCalendar.h"
#include "hal/HALString.h"
#include "hal/http.h"
#include "java/io/DataInputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/io/IOException.h"
#include "java/io/InputStream.h"
#include "java/lang/NullPointerException.h"
#include "java/io/PrintStream.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/Integer.h"
#include "java/lang/NumberFormatException.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/System.h"
#include "java/util/TimeZone.h"
#include "vm/VMStringLiterals.h"

namespace com::tarquel::velto::midp::io::protocol::http {

using com::tarquel::velto::midp::io::_VM_throwHttpError;
using java::io::IOException;
using java::lang::StringBuffer;

namespace {

constexpr int32_t kPlatformFailure = 7;

// The date words and what each means: 0 ignored, 1 pm, 14 am, 2 .. 13 the
// months, 10000 + m a zone m minutes west of UTC.
constexpr const char* kDateWords[32] = {
    "am",        "pm",      "monday",   "tuesday",  "wednesday", "thursday", "friday",
    "saturday",  "sunday",  "january",  "february", "march",     "april",    "may",
    "june",      "july",    "august",   "september", "october",  "november", "december",
    "gmt",       "ut",      "utc",      "est",      "edt",       "cst",      "cdt",
    "mst",       "mdt",     "pst",      "pdt"};
constexpr int32_t kDateActions[32] = {14,    1,     0,     0,     0,     0,     0,     0,
                                      0,     2,     3,     4,     5,     6,     7,     8,
                                      9,     10,    11,    12,    13,    10000, 10000, 10000,
                                      10300, 10240, 10360, 10300, 10420, 10360, 10480, 10420};

bool g_centurySet = false;
int32_t g_defaultCenturyStart = 0;

void initializeProtocol()
{
    Protocol::protocolName = _VM_literal("http");
    VMPtr<Protocol::StringArray> words = Protocol::StringArray::newArray(32);
    for (int32_t i = 0; i < 32; ++i)
        (*words)[i] = _VM_literal(kDateWords[i]);
    Protocol::dateWords = words;
}

// Releases a platform string at the end of a scope.
struct HeldString {
    HALString* string = nullptr;
    ~HeldString()
    {
        if (string)
            HAL_deleteString(string);
    }
};

// A String of the platform's answer: null unless the status is 0 and there
// is a string.
VMPtr<java::lang::String> textOf(int32_t status, const HeldString& held)
{
    if (status != 0 || !held.string)
        return VMPtr<java::lang::String>();
    return java::lang::String::newInstance()->_VM_init(held.string);
}

void throwOnFailure(int32_t status)
{
    if (status == kPlatformFailure)
        _VM_throwHttpError(status);
}

// The text a platform query hands out (null unless status 0); status 7
// throws.
template <class Query>
VMPtr<java::lang::String> askText(Query query)
{
    HeldString held;
    int32_t status = query(&held.string);
    throwOnFailure(status);
    return textOf(status, held);
}

// A String's characters with a terminator, for the platform's name lookups.
std::u16string terminated(VMPtr<java::lang::String> text)
{
    java::lang::String* s = vm_nonNull(text);
    return std::u16string(s->chars(), size_t(s->length()));
}

[[noreturn]] void failDate()
{
    vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Error parsing date"));
}

bool isLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

char16_t lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

} // namespace

VMPtr<Protocol> Protocol::init()
{
    Object::init();
    return VMPtr<Protocol>(this);
}

Protocol::~Protocol()
{
    if (connection)
        HAL_deleteHTTPConnection(connection);
}

VMPtr<javax::microedition::io::Connection> Protocol::openUrl(VMPtr<String> name, int32_t, bool)
{
    String* url = vm_nonNull(name);
    HALHttpConnection* made = nullptr;
    int32_t status = HAL_createHTTPConnection(&made, url->chars(), url->length());
    if (status != 0) {
        VMPtr<StringBuffer> text =
            StringBuffer::newInstance()->init("HAL_createHTTPConnection error: ");
        text->append(status);
        vm_throwNew<IOException>(text->toString());
    }
    connection = made;
    return VMPtr<javax::microedition::io::Connection>(this);
}

void Protocol::ensureOpen()
{
    if (state == CLOSED)
        vm_throwNew<IOException>(_VM_literal("HttpConnection error: the connection is closed"));
}

void Protocol::connect()
{
    ensureOpen();
    if (state == SETUP)
        state = CONNECTED;
}

// ---- The URL and the request ---------------------------------------------------

VMPtr<java::lang::String> Protocol::getURL()
{
    ensureOpen();
    return askText([&](HALString** out) { return HAL_getHTTPURL(connection, out); });
}

VMPtr<java::lang::String> Protocol::getProtocol()
{
    ensureOpen();
    _VM_clinit();
    return protocolName;
}

VMPtr<java::lang::String> Protocol::getHost()
{
    ensureOpen();
    return askText([&](HALString** out) { return HAL_getHTTPHost(connection, out); });
}

VMPtr<java::lang::String> Protocol::getFile()
{
    ensureOpen();
    return askText([&](HALString** out) { return HAL_getHTTPFile(connection, out); });
}

VMPtr<java::lang::String> Protocol::getRef()
{
    ensureOpen();
    return askText([&](HALString** out) { return HAL_getHTTPRef(connection, out); });
}

VMPtr<java::lang::String> Protocol::getQuery()
{
    ensureOpen();
    return askText([&](HALString** out) { return HAL_getHTTPQuery(connection, out); });
}

int32_t Protocol::getPort()
{
    ensureOpen();
    int32_t port = 80;
    if (HAL_getHTTPPort(connection, &port) != 0)
        return 80;
    return port;
}

VMPtr<java::lang::String> Protocol::getRequestMethod()
{
    ensureOpen();
    return askText([&](HALString** out) { return HAL_getHTTPRequestMethod(connection, out); });
}

void Protocol::setRequestMethod(VMPtr<String> method)
{
    ensureOpen();
    if (state == CONNECTED)
        vm_throwNew<IOException>(_VM_literal("HttpConnection error: HTTP method cannot be reset"));
    String* text = vm_nonNull(method);
    java::lang::System::out()->println(method);
    HttpConnection::_VM_clinit();
    if (!text->equalsIgnoreCase(HttpConnection::HEAD) &&
        !text->equalsIgnoreCase(HttpConnection::GET) &&
        !text->equalsIgnoreCase(HttpConnection::POST))
        vm_throwNew<IOException>(_VM_literal("HttpConnection error: Invalid HTTP method"));
    HAL_setHTTPRequestMethod(connection, text->chars(), text->length());
}

VMPtr<java::lang::String> Protocol::getRequestProperty(VMPtr<String> key)
{
    ensureOpen();
    if (!key)
        return VMPtr<String>();
    std::u16string name = terminated(key);
    return askText([&](HALString** out) {
        return HAL_getHTTPRequestProperty(connection, name.c_str(), int32_t(name.size()), out);
    });
}

void Protocol::setRequestProperty(VMPtr<String> key, VMPtr<String> value)
{
    ensureOpen();
    if (state == CONNECTED)
        vm_throwNew<IOException>(_VM_literal("HttpConnection error: HTTP request property cannot "
                                             "be set because the connection is in the Connected "
                                             "state"));
    const char16_t* name = key ? key->chars() : nullptr;
    int32_t nameLength = key ? key->length() : 0;
    const char16_t* text = value ? value->chars() : nullptr;
    int32_t textLength = value ? value->length() : 0;
    int32_t status = HAL_setHTTPRequestProperty(connection, name, nameLength, text, textLength);
    if (status == 2)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("Invalid HTTP request property"));
}

// ---- The reply ---------------------------------------------------------------------

int32_t Protocol::getResponseCode()
{
    connect();
    int32_t code = -1;
    int32_t status = HAL_getHTTPResponseCode(connection, &code);
    throwOnFailure(status);
    return status == 0 ? code : -1;
}

VMPtr<java::lang::String> Protocol::getResponseMessage()
{
    connect();
    return askText([&](HALString** out) { return HAL_getHTTPResponseMessage(connection, out); });
}

int64_t Protocol::getExpiration()
{
    return getHeaderFieldDate(_VM_literal("expires"), 0);
}

int64_t Protocol::getDate()
{
    return getHeaderFieldDate(_VM_literal("date"), 0);
}

int64_t Protocol::getLastModified()
{
    return getHeaderFieldDate(_VM_literal("last-modified"), 0);
}

VMPtr<java::lang::String> Protocol::getHeaderField(int32_t n)
{
    connect();
    return askText([&](HALString** out) { return HAL_getHTTPHeaderFieldByIndex(connection, n, out); });
}

VMPtr<java::lang::String> Protocol::getHeaderField(VMPtr<String> name)
{
    connect();
    std::u16string text = terminated(name);
    return askText([&](HALString** out) {
        return HAL_getHTTPHeaderField(connection, text.c_str(), int32_t(text.size()), out);
    });
}

int32_t Protocol::getHeaderFieldInt(VMPtr<String> name, int32_t def)
{
    VMPtr<String> value = getHeaderField(name);
    if (!value)
        return def;
    try {
        return java::lang::Integer::parseInt(value);
    } catch (java::lang::NumberFormatException* caught) {
        VMPtr<java::lang::NumberFormatException> e(caught);
        return def;
    }
}

int64_t Protocol::getHeaderFieldDate(VMPtr<String> name, int64_t def)
{
    VMPtr<String> value = getHeaderField(name);
    if (!value)
        return def;
    try {
        return parseDate(value);
    } catch (java::lang::IllegalArgumentException* caught) {
        VMPtr<java::lang::IllegalArgumentException> e(caught);
        return def;
    }
}

VMPtr<java::lang::String> Protocol::getHeaderFieldKey(int32_t n)
{
    connect();
    return askText([&](HALString** out) { return HAL_getHTTPHeaderFieldKey(connection, n, out); });
}

VMPtr<java::lang::String> Protocol::getType()
{
    connect();
    return askText([&](HALString** out) { return HAL_getHTTPType(connection, out); });
}

VMPtr<java::lang::String> Protocol::getEncoding()
{
    connect();
    return askText([&](HALString** out) { return HAL_getHTTPEncoding(connection, out); });
}

int64_t Protocol::getLength()
{
    connect();
    int64_t length = -1;
    int32_t status = HAL_getHTTPLength(connection, &length);
    throwOnFailure(status);
    return status == 0 ? length : -1;
}

// ---- Streams and close -------------------------------------------------------------

VMPtr<java::io::InputStream> Protocol::openInputStream()
{
    connect();
    VMPtr<HttpInputStream> stream = HttpInputStream::newInstance()->init(connection);
    inputStream = stream;
    return stream;
}

VMPtr<java::io::DataInputStream> Protocol::openDataInputStream()
{
    VMPtr<java::io::InputStream> in = openInputStream();
    return java::io::DataInputStream::newInstance()->init(in);
}

VMPtr<java::io::OutputStream> Protocol::openOutputStream()
{
    ensureOpen();
    VMPtr<HttpOutputStream> stream = HttpOutputStream::newInstance()->init(connection);
    outputStream = stream;
    return stream;
}

VMPtr<java::io::DataOutputStream> Protocol::openDataOutputStream()
{
    VMPtr<java::io::OutputStream> out = openOutputStream();
    return java::io::DataOutputStream::newInstance()->init(out);
}

void Protocol::close()
{
    if (VMPtr<HttpInputStream> in = inputStream) {
        try {
            in->close();
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> ignored(caught);
        }
        inputStream = VMPtr<HttpInputStream>();
    }
    if (VMPtr<HttpOutputStream> out = outputStream) {
        try {
            out->close();
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> ignored(caught);
        }
        outputStream = VMPtr<HttpOutputStream>();
    }
    if (connection)
        HAL_deleteHTTPConnection(connection);
    state = CLOSED;
    connection = nullptr;
}

// ---- Dates ---------------------------------------------------------------------

int64_t Protocol::parseDate(VMPtr<String> text)
{
    _VM_clinit();
    if (!g_centurySet) {
        VMPtr<com::tarquel::velto::cldc::util::GregorianCalendar> now =
            com::tarquel::velto::cldc::util::GregorianCalendar::newInstance()->init();
        g_defaultCenturyStart = now->get(java::util::Calendar::YEAR) - 80;
        g_centurySet = true;
    }
    if (!text)
        failDate();
    String* s = text.get();
    const int32_t limit = s->length();
    int32_t year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1;
    bool yearSet = false;
    bool zoneSet = false;
    int32_t zoneWest = 0;  // minutes west of UTC
    char16_t separator = 0;

    int32_t i = 0;
    while (i < limit) {
        char16_t c = s->charAt(i++);
        if (c <= u' ' || c == u',')
            continue;
        if (c == u'(') {
            int32_t depth = 1;
            while (i < limit) {
                char16_t d = s->charAt(i++);
                if (d == u'(')
                    ++depth;
                else if (d == u')' && --depth == 0)
                    break;
            }
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            int64_t n = c - u'0';
            while (i < limit && s->charAt(i) >= u'0' && s->charAt(i) <= u'9') {
                n = n * 10 + (s->charAt(i++) - u'0');
                if (n > INT32_MAX)
                    failDate();
            }
            bool endedText = i >= limit;
            c = endedText ? s->charAt(limit - 1) : s->charAt(i);
            if (separator == u'+' || (separator == u'-' && yearSet)) {
                int64_t minutes = n < 24 ? n * 60 : n % 100 + (n / 100) * 60;
                if (zoneSet && zoneWest != 0)
                    failDate();
                zoneWest = int32_t(separator == u'+' ? -minutes : minutes);
                zoneSet = true;
            } else if (n >= 70) {
                if (yearSet || !(c <= u' ' || c == u',' || c == u'/' || endedText))
                    failDate();
                year = int32_t(n);
                yearSet = true;
            } else if (c == u':') {
                if (hour < 0)
                    hour = int32_t(n);
                else if (minute < 0)
                    minute = int32_t(n);
                else
                    failDate();
            } else if (c == u'/') {
                if (month < 0)
                    month = int32_t(n) - 1;
                else if (day < 0)
                    day = int32_t(n);
                else
                    failDate();
            } else if (!endedText && c != u',' && c != u'-' && c > u' ') {
                failDate();
            } else if (hour >= 0 && minute < 0) {
                minute = int32_t(n);
            } else if (minute >= 0 && second < 0) {
                second = int32_t(n);
            } else if (day < 0) {
                day = int32_t(n);
            } else if (!yearSet && month >= 0) {
                year = int32_t(n);
                yearSet = true;
            } else {
                failDate();
            }
            separator = 0;
            continue;
        }
        if (c == u'/' || c == u':' || c == u'+' || c == u'-') {
            separator = c;
            continue;
        }
        int32_t start = i - 1;
        while (i < limit && isLetter(s->charAt(i)))
            ++i;
        int32_t length = i - start;
        if (length <= 1)
            failDate();
        int32_t found = -1;
        for (int32_t k = 31; k >= 0 && found < 0; --k) {
            const char* word = kDateWords[k];
            int32_t w = 0;
            while (w < length && word[w] != 0 && lower(s->charAt(start + w)) == char16_t(word[w]))
                ++w;
            if (w == length)
                found = k;
        }
        if (found < 0)
            failDate();
        int32_t action = kDateActions[found];
        if (action == 1) {
            if (hour < 1 || hour > 12)
                failDate();
            if (hour < 12)
                hour += 12;
        } else if (action == 14) {
            if (hour < 1 || hour > 12)
                failDate();
            if (hour == 12)
                hour = 0;
        } else if (action >= 2 && action <= 13) {
            if (month >= 0)
                failDate();
            month = action - 2;
        } else if (action >= 10000) {
            zoneWest = action - 10000;
            zoneSet = true;
        }
        separator = 0;
    }
    if (!yearSet || month < 0 || day < 0)
        failDate();
    if (year < 100) {
        year += (g_defaultCenturyStart / 100) * 100;
        if (year < g_defaultCenturyStart)
            year += 100;
    }
    if (second < 0)
        second = 0;
    if (minute < 0)
        minute = 0;
    if (hour < 0)
        hour = 0;

    VMPtr<com::tarquel::velto::cldc::util::GregorianCalendar> calendar =
        com::tarquel::velto::cldc::util::GregorianCalendar::newInstance()->init();
    if (zoneSet) {
        int32_t size = zoneWest < 0 ? -zoneWest : zoneWest;
        int32_t hours = size / 60;
        int32_t minutes = size % 60;
        char id[10] = {'U',
                       'T',
                       'C',
                       zoneWest <= 0 ? '+' : '-',
                       char('0' + (hours / 10) % 10),
                       char('0' + hours % 10),
                       ':',
                       char('0' + minutes / 10),
                       char('0' + minutes % 10),
                       0};
        calendar->setTimeZone(java::util::TimeZone::getTimeZone(String::newFromCString(id)));
    }
    using java::util::Calendar;
    calendar->set(Calendar::YEAR, year);
    calendar->set(Calendar::MONTH, month);
    calendar->set(Calendar::DATE, day);
    calendar->set(Calendar::HOUR_OF_DAY, hour);
    calendar->set(Calendar::MINUTE, minute);
    calendar->set(Calendar::SECOND, second);
    calendar->set(Calendar::MILLISECOND, 0);
    return calendar->getTimeInMillis();
}

} // namespace com::tarquel::velto::midp::io::protocol::http

using com::tarquel::velto::midp::io::protocol::http::Protocol;

VM_REGISTER_CLASS(Protocol, "com.tarquel.velto.midp.io.protocol.http.Protocol", "java.lang.Object",
                  "target/winmo/pb_src/j2me/com_tarquel_velto_midp_io_protocol_http_Protocol",
                  &com::tarquel::velto::midp::io::protocol::http::initializeProtocol);
VM_IMPLEMENTS(Protocol, "com.tarquel.velto.cldc.io.ConnectionBaseInterface");
VM_IMPLEMENTS(Protocol, "javax.microedition.io.Connection");
VM_IMPLEMENTS(Protocol, "javax.microedition.io.InputConnection");
VM_IMPLEMENTS(Protocol, "javax.microedition.io.OutputConnection");
VM_IMPLEMENTS(Protocol, "javax.microedition.io.StreamConnection");
VM_IMPLEMENTS(Protocol, "javax.microedition.io.ContentConnection");
VM_IMPLEMENTS(Protocol, "javax.microedition.io.HttpConnection");

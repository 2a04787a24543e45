#include "javax/microedition/io/Connector.h"

#include "com/tarquel/velto/cldc/io/ConnectionBaseInterface.h"
#include "java/io/IOException.h"
#include "java/lang/Class.h"
#include "java/lang/ClassCastException.h"
#include "java/lang/ClassNotFoundException.h"
#include "java/lang/IllegalAccessException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/InstantiationException.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/System.h"
#include "javax/microedition/io/ConnectionNotFoundException.h"
#include "vm/VMStringLiterals.h"

namespace javax::microedition::io {

using java::lang::String;
using java::lang::StringBuffer;

namespace {

// The property's path, else the built-in one; trailing dots are dropped so
// the class name never holds an empty part.
void initializeConnector()
{
    VMPtr<String> path =
        java::lang::System::getProperty(_VM_literal("javax.microedition.io.Connector.protocolpath"));
    if (!path)
        path = _VM_literal("com.tarquel.velto.io.");
    int32_t end = path->length();
    while (end > 0 && path->charAt(end - 1) == u'.')
        --end;
    Connector::protocolpath = path->substring(0, end);
}

// The connection object of a class found by name.
VMPtr<com::tarquel::velto::cldc::io::ConnectionBaseInterface> create(VMPtr<java::lang::Class> cls)
{
    VMPtr<java::lang::Object> object = cls->newInstance();
    auto* connection =
        dynamic_cast<com::tarquel::velto::cldc::io::ConnectionBaseInterface*>(object.get());
    if (!connection)
        vm_throwNew<java::lang::ClassCastException>();
    return VMPtr<com::tarquel::velto::cldc::io::ConnectionBaseInterface>(connection);
}

[[noreturn]] void rethrowAsIOException(java::lang::Throwable* caught)
{
    VMPtr<java::lang::Throwable> e(caught);
    vm_throwNew<java::io::IOException>(e->toString());
}

} // namespace

VMPtr<Connection> Connector::open(VMPtr<String> name, int32_t mode, bool timeouts)
{
    _VM_clinit();
    if (!name)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Null URL"));
    int32_t colon = name->indexOf(':');
    if (colon == 0)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("empty protocol in URL"));
    if (colon < 0)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("no ':' in URL"));

    VMPtr<StringBuffer> className = StringBuffer::newInstance()->init();
    VMPtr<String> path = protocolpath;
    if (path->length() > 0) {
        className->append(path);
        className->append(u'.');
    }
    className->append(name->substring(0, colon)->replace(u'-', u'_'));
    className->appendCString(".Protocol");

    VMPtr<java::lang::Class> cls;
    try {
        cls = java::lang::Class::forName(className->toString());
    } catch (java::lang::ClassNotFoundException* caught) {
        VMPtr<java::lang::ClassNotFoundException> e(caught);
        VMPtr<StringBuffer> text =
            StringBuffer::newInstance()->init("The requested protocol does not exist ");
        text->append(name);
        vm_throwNew<ConnectionNotFoundException>(text->toString());
    }
    VMPtr<com::tarquel::velto::cldc::io::ConnectionBaseInterface> connection;
    try {
        connection = create(cls);
    } catch (java::lang::InstantiationException* caught) {
        rethrowAsIOException(caught);
    } catch (java::lang::IllegalAccessException* caught) {
        rethrowAsIOException(caught);
    } catch (java::lang::ClassCastException* caught) {
        rethrowAsIOException(caught);
    }
    return connection->openUrl(name, mode, timeouts);
}

VMPtr<Connection> Connector::open(VMPtr<String> name, int32_t mode)
{
    return open(name, mode, false);
}

VMPtr<Connection> Connector::open(VMPtr<String> name)
{
    return open(name, READ_WRITE, false);
}

} // namespace javax::microedition::io

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::io::Connector, "javax.microedition.io.Connector",
                             "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_io_Connector",
                             &javax::microedition::io::initializeConnector);

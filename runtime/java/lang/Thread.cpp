#include "java/lang/Thread.h"

#include "java/lang/IllegalThreadStateException.h"
#include "java/lang/StringBuffer.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"

namespace java::lang {

namespace {

constexpr int32_t kSystemPriority = 5;

// The number of the last generated thread name.
int32_t generatedNames = 0;

} // namespace

Thread::~Thread()
{
    if (vmThread) {
        vmThread->threadObject = nullptr;
        vmThread = nullptr;
    }
}

void Thread::setUp(VMPtr<Runnable> target, VMPtr<String> name)
{
    vmThread = new VMThread(this);
    VMThread* creator = VMThread::current();
    priority = creator && creator->threadObject ? creator->threadObject->priority
                                                : kSystemPriority;
    this->target = target;
    if (!name) {
        VMPtr<StringBuffer> generated = StringBuffer::newInstance();
        generated->init("Thread-");
        generated->append(++generatedNames);
        name = generated->toString();
    }
    this->name = name;
}

VMPtr<Thread> Thread::init()
{
    Object::init();
    setUp(nullptr, nullptr);
    return VMPtr<Thread>(this);
}

VMPtr<Thread> Thread::init(VMPtr<Runnable> target)
{
    Object::init();
    setUp(target, nullptr);
    return VMPtr<Thread>(this);
}

VMPtr<Thread> Thread::init(VMPtr<String> name)
{
    Object::init();
    setUp(nullptr, name);
    return VMPtr<Thread>(this);
}

VMPtr<Thread> Thread::initSystemThread(VMPtr<String> name, VMThread* record)
{
    Object::init();
    priority = kSystemPriority;
    this->name = name;
    vmThread = record;
    record->threadObject = this;
    return VMPtr<Thread>(this);
}

void Thread::start()
{
    VMSynchronized guard(this);
    if (vmThread->isStarted())
        vm_throwNew<IllegalThreadStateException>();
    vmThread->start();
}

void Thread::interrupt()
{
    vmThread->interrupt();
}

void Thread::run()
{
    if (target)
        target->run();
}

bool Thread::isAlive()
{
    return vmThread && vmThread->isAlive();
}

void Thread::sleep(int64_t milliseconds)
{
    _VM_clinit();
    VMThread::sleep(VMThread::current(), milliseconds);
}

VMPtr<Thread> Thread::currentThread()
{
    _VM_clinit();
    VMThread* me = VMThread::current();
    return VMPtr<Thread>(me ? me->threadObject : nullptr);
}

VMPtr<String> Thread::getName()
{
    return VMPtr<String>(name.get());
}

VMPtr<String> Thread::toString()
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance();
    text->init("Thread[");
    text->append(getName());
    text->append(u',');
    text->append(priority);
    text->append(u']');
    return text->toString();
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::Thread, "java.lang.Thread", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_lang_Thread", nullptr);
VM_IMPLEMENTS(java::lang::Thread, "java.lang.Runnable");

#pragma once
// java.lang.Thread: a thread of the class library on a VMThread record and a
// platform thread. Threads made without a name are called "Thread-" and a
// running number from 1; the UI thread is the thread object "System".

#include "java/lang/Runnable.h"
#include "java/lang/String.h"

class VMThread;

namespace java::lang {

class Thread : public virtual Object, public virtual Runnable {
    VM_CLASS(Thread, Object)

    ~Thread() override;

    // Constructor bodies: each makes the thread's record and its suspended
    // platform thread.
    VMPtr<Thread> init();
    VMPtr<Thread> init(VMPtr<Runnable> target);
    VMPtr<Thread> init(VMPtr<String> name);
    // The thread object of an already running thread (the UI thread's
    // "System"): priority 5, attached to record.
    VMPtr<Thread> initSystemThread(VMPtr<String> name, VMThread* record);

    // Once only: IllegalThreadStateException when already started.
    virtual void start();
    // Sets the interrupted flag of a live thread and wakes it when blocked.
    virtual void interrupt();
    // Runs the target, if any.
    void run() override;
    bool isAlive();
    // Sleeps the current thread; 0 or less only yields. An interrupt throws
    // InterruptedException.
    static void sleep(int64_t milliseconds);
    static VMPtr<Thread> currentThread();
    VMPtr<String> getName();
    // "Thread[" name "," priority "]".
    VMPtr<String> toString() override;

    VMThread* vmThread = nullptr;
    int32_t priority = 0;
    VMField<Runnable> target;
    VMField<String> name;

private:
    void setUp(VMPtr<Runnable> target, VMPtr<String> name);

    VM_FIELDS(target, name)
};

} // namespace java::lang

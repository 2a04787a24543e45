#include "vm/VMBoot.h"

#include <cstdio>
#include <cstdlib>

#include "com/tarquel/velto/vm/Finalizer.h"
#include "hal/callbacks.h"
#include "hal/device.h"
#include "hal/thread.h"
#include "java/lang/Class.h"
#include "java/lang/NoClassDefFoundError.h"
#include "java/lang/Throwable.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMThread.h"

namespace {

// The VM's own listener: the exit event sets the instance's exit byte.
void onExitEvent(int32_t, int32_t, const intptr_t*)
{
    if (_VM_instance)
        _VM_instance->exitRequested = 1;
}

// The classes the boot initialises first, in this order; a class that is not
// part of this program is passed over.
constexpr const char* kCoreClasses[] = {
    "java.lang.Object",
    "java.lang.Class",
    "java.lang.String",
    "java.lang.Thread",
    "java.lang.Throwable",
    "java.lang.Exception",
    "java.lang.Error",
    "java.lang.ExceptionInInitializerError",
    "java.lang.NoClassDefFoundError",
    "java.lang.VirtualMachineError",
    "java.lang.OutOfMemoryError",
    "java.lang.RuntimeException",
    "java.lang.NullPointerException",
    "java.lang.System",
};

void setPhase(VMInstance* vm, int32_t phase)
{
    vm->bootPhase = phase;
}

// Phases 2 to 12: tables, the UI thread, the registry and its classes, the
// first collection.
void bootRuntime(VMInstance* vm, HALThread* uiThread)
{
    setPhase(vm, VM_PHASE_TABLES);
    _VM_createEventRegistry();
    HAL_addEventListener(&onExitEvent, 1u << 3, 0);
    _VM_getStringLiteralTable();

    setPhase(vm, VM_PHASE_UI_THREAD);
    VMThread* thread = new VMThread(uiThread);

    setPhase(vm, VM_PHASE_REGISTRY);
    vm->currentThread = thread;
    vm->uiThread = thread;
    VMClassRegistry* registry = _VM_getClassRegistry();

    setPhase(vm, VM_PHASE_REGISTER_CLASSES);
    _VM_runClassRegistrars();
    setPhase(vm, VM_PHASE_INTERFACES);
    _VM_applyInterfaceRecords();
    setPhase(vm, VM_PHASE_ENTRY_POINTS);
    _VM_applyEntryPointRecords();
    setPhase(vm, VM_PHASE_SEAL);
    _VM_sealClassRegistry(registry);

    setPhase(vm, VM_PHASE_CORE_CLASSES);
    for (const char* name : kCoreClasses) {
        if (java::lang::Class* cls = _VM_findClass(registry, name))
            _VM_ensureInitialized(cls);
    }

    setPhase(vm, VM_PHASE_SYSTEM_THREADS);
    vm->systemThread = java::lang::Thread::newInstance()->initSystemThread(
        _VM_literal("System"), thread);
    vm->finalizer = com::tarquel::velto::vm::Finalizer::newInstance()->init();

    setPhase(vm, VM_PHASE_FIRST_COLLECTION);
    vm->finalizerNotStarted = 1;
    _VM_collectGarbage(vm);
}

// Phase 14: the boot class's entry point.
void runBootClass(VMClassRegistry* registry, const char* bootClass, intptr_t entryArgument)
{
    java::lang::Class* cls = _VM_findClass(registry, bootClass);
    if (!cls || !cls->entryPoint)
        vm_throwNew<java::lang::NoClassDefFoundError>();
    _VM_ensureInitialized(cls);
    cls->entryPoint(entryArgument);
}

} // namespace

int32_t _VM_create(uint32_t minimumLimit, uint32_t maximumLimit, HALThread* uiThread,
                   const char* bootClass, intptr_t entryArgument)
{
    VMInstance* vm = new VMInstance;
    _VM_constructInstance(vm);
    _VM_instance = vm;
    return _VM_start(vm, minimumLimit, maximumLimit, uiThread, bootClass, entryArgument);
}

int32_t _VM_start(VMInstance* vm, uint32_t minimumLimit, uint32_t maximumLimit,
                  HALThread* uiThread, const char* bootClass, intptr_t entryArgument)
{
    setPhase(vm, VM_PHASE_HEAP);
    _VM_initHeap(minimumLimit, maximumLimit);
    try {
        bootRuntime(vm, uiThread);
        setPhase(vm, VM_PHASE_BOOT_CLASS);
        if (!bootClass)
            return 1;
        runBootClass(_VM_getClassRegistry(), bootClass, entryArgument);
        return 0;
    } catch (java::lang::Throwable* caught) {
        if (vm->bootPhase > VM_PHASE_FIRST_COLLECTION)
            _VM_printUncaught(caught);
        return 2;
    } catch (...) {
        return 2;
    }
}

namespace {

constexpr uint32_t kStopMilliseconds = 250;
constexpr uint32_t kInterruptMilliseconds = 250;
constexpr uint32_t kCancelMilliseconds = 100;
constexpr int64_t kShutdownPollMilliseconds = 20;

// Sleeps me in short steps while another thread is alive, for at most the
// given time; true when only one thread is left.
bool waitForOthers(VMThread* me, uint32_t milliseconds)
{
    uint32_t start = HAL_getTickCount();
    while (VMThread::countAlive() >= 2 && HAL_getTickCount() - start < milliseconds) {
        try {
            VMThread::sleep(me, kShutdownPollMilliseconds);
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> ignored(caught); // an interrupt of the UI thread
        }
    }
    return VMThread::countAlive() < 2;
}

// Applies action to every thread record but me.
template<class F>
void forOthers(VMInstance* vm, VMThread* me, F action)
{
    for (VMListNode* node = VMList_first(&vm->threadList); node; node = VMList_next(node)) {
        auto* thread = static_cast<VMThread*>(VMList_value(node));
        if (thread != me)
            action(thread);
    }
}

} // namespace

void _VM_shutdown(VMInstance* vm)
{
    VMThread* me = VMThread::current();
    if (vm->finalizer && vm->finalizer->isAlive())
        vm->finalizer->stop();

    if (!waitForOthers(me, kStopMilliseconds)) {
        _VM_printDebug("Threads failed to stop within 250 milliseconds...\n");
        _VM_printDebug("Sending an interrupt to all threads.\n");
        forOthers(vm, me, [](VMThread* thread) { thread->interrupt(); });
        if (!waitForOthers(me, kInterruptMilliseconds)) {
            _VM_printDebug("Threads failed to respond to interrupt within 250 milliseconds...\n");
            forOthers(vm, me, [](VMThread* thread) { thread->cancel(); });
            if (!waitForOthers(me, kCancelMilliseconds))
                _VM_printDebug("Threads failed to respond to cancel within 100 milliseconds...\n");
        }
    }

    VMThread::disableYield();
    if (VMThread::countAlive() > 1)
        _VM_printDebug("Terminating with outstanding threads.\n");
    _VM_destroyEventRegistry();
    _VM_endHeapAccounting();
    vm->finalizer = nullptr;
    vm->systemThread = nullptr;
}

// The platform's shutdown callback.
void _VM_shutdownCallback()
{
    VMInstance* vm = _VM_instance;
    if (!vm)
        return;
    _VM_shutdown(vm);
    _VM_destroyInstance(vm);
    delete vm;
    _VM_instance = nullptr;
}

void _VM_printUncaught(java::lang::Throwable* escaped)
{
    VMPtr<java::lang::Throwable> held(escaped);
    try {
        held->printStackTrace();
    } catch (java::lang::Throwable* failed) {
        VMPtr<java::lang::Throwable> ignored(failed);
    }
}

namespace {

void collectCallback()
{
    _VM_collectGarbage(_VM_instance);
}

} // namespace

void _VM_fillCallbacks(HALCallbacks* table)
{
    table->init = &_VM_create;
    table->event = &HAL_dispatchEvent;
    table->leaveVM = &VMThread::yield;
    table->enterVM = &VMThread::enterVM;
    table->gc = &collectCallback;
    table->shutdown = &_VM_shutdownCallback;
}

void _VM_fatalError(const char*)
{
    std::exit(1);
}

void _VM_glueError(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
    _VM_fatalError(message);
}

void _VM_printDebug(const char*) {}

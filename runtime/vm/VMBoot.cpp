#include "vm/VMBoot.h"

#include <cstdlib>

#include "hal/thread.h"
#include "java/lang/Class.h"
#include "java/lang/NoClassDefFoundError.h"
#include "java/lang/Throwable.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMThread.h"

namespace {

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

    // The system thread and the finalizer join here once their classes exist.
    setPhase(vm, VM_PHASE_SYSTEM_THREADS);

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
        VMPtr<java::lang::Throwable> failure(caught);
        if (vm->bootPhase > 12)
            failure->printStackTrace();
        return 2;
    } catch (...) {
        return 2;
    }
}

// Teardown; stopping other threads joins here once the thread classes exist.
void _VM_shutdown(VMInstance*)
{
    VMThread::disableYield();
    _VM_endHeapAccounting();
}

void _VM_fatalError(const char*)
{
    std::exit(1);
}

void _VM_printDebug(const char*) {}

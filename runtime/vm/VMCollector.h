#pragma once
// The tracing collector: stop-the-world mark and sweep over the list of all
// objects.
//
// Roots are the references of the native and static scopes and of every
// thread's stack scope; fields are traced through markReferences, which
// queues each newly marked object on a preallocated mark stack (when it is
// full, the object is flagged SCAN_PENDING and found by a walk of the object
// list), so marking uses no C stack per object. Debug builds check after
// marking that every field of a live object was traced. Objects
// awaiting finalization (FINALIZATION_PENDING) and objects still under
// construction survive with everything they reach, but count as unreachable
// for weak references. The collector runs on the thread that asked for it,
// under the VM lock, with yielding disabled, so no reference changes while it
// runs. It allocates nothing.
//
// Invariants: MARKED and VISITED mean something only between the mark and the
// sweep of one collection; every object without VISITED after marking is
// destroyed; a thread record is deleted only when no Thread object owns it
// and its thread is neither running nor blocked.

struct VMInstance;

// One full collection; nothing before boot phase 12. This is the heap's
// collect hook unless a test replaces it; callers use _VM_collectGarbage.
void _VM_runCollector(VMInstance* vm);

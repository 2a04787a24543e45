#pragma once
// Helpers for the record-store tests: byte arrays from texts, a listener
// that logs what it hears, a filter and a comparator over records that hold
// decimal numbers.

#include <functional>
#include <string>
#include <vector>

#include "javax/microedition/rms/RecordComparator.h"
#include "javax/microedition/rms/RecordFilter.h"
#include "javax/microedition/rms/RecordListener.h"
#include "javax/microedition/rms/RecordStore.h"

using RmsBytes = javax::microedition::rms::RecordStore::ByteArray;

VMPtr<RmsBytes> rmsBytes(const std::string& text);
std::string rmsText(const VMPtr<RmsBytes>& bytes);
VMPtr<javax::microedition::rms::RecordStore> openStore(const char* name, bool create);

namespace vmtest {

// Logs "<name> added|changed|deleted <id>" into one log shared by all.
class ListenerLog : public virtual javax::microedition::rms::RecordListener {
    VM_CLASS(ListenerLog, java::lang::Object)

    static VMPtr<ListenerLog> make(const std::string& name);
    static void clear();
    static const std::vector<std::string>& entries();

    void recordAdded(VMPtr<javax::microedition::rms::RecordStore> store, int32_t id) override;
    void recordChanged(VMPtr<javax::microedition::rms::RecordStore> store, int32_t id) override;
    void recordDeleted(VMPtr<javax::microedition::rms::RecordStore> store, int32_t id) override;

    std::string name;
    bool leaveWhenTold = false;  // removes itself from the store when told
    bool throwWhenTold = false;  // throws a RuntimeException when told
    std::function<void()> whenTold;  // run after logging, when set

private:
    void heard(const VMPtr<javax::microedition::rms::RecordStore>& store, const char* what,
               int32_t id);
};

// Matches records whose number is even.
class EvenFilter : public virtual javax::microedition::rms::RecordFilter {
    VM_CLASS(EvenFilter, java::lang::Object)

    bool matches(VMPtr<RmsBytes> candidate) override;
};

// Orders records by their numbers, ascending or descending.
class NumberOrder : public virtual javax::microedition::rms::RecordComparator {
    VM_CLASS(NumberOrder, java::lang::Object)

    static VMPtr<NumberOrder> make(bool descending);
    int32_t compare(VMPtr<RmsBytes> rec1, VMPtr<RmsBytes> rec2) override;

    bool descending = false;
};

} // namespace vmtest

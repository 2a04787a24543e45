#include "midp/RmsTestSupport.h"

#include <algorithm>

#include "java/lang/RuntimeException.h"
#include "support/LangTestSupport.h"

using javax::microedition::rms::RecordStore;

VMPtr<RmsBytes> rmsBytes(const std::string& text)
{
    VMPtr<RmsBytes> bytes = RmsBytes::newArray(int32_t(text.size()));
    std::copy(text.begin(), text.end(), bytes->elements());
    return bytes;
}

std::string rmsText(const VMPtr<RmsBytes>& bytes)
{
    return std::string(bytes->elements(), bytes->elements() + bytes->length);
}

VMPtr<RecordStore> openStore(const char* name, bool create)
{
    return RecordStore::openRecordStore(vmString(name), create);
}

namespace vmtest {

namespace {

std::vector<std::string> g_log;

int32_t numberOf(const VMPtr<RmsBytes>& record)
{
    return std::stoi(rmsText(record));
}

} // namespace

VMPtr<ListenerLog> ListenerLog::make(const std::string& name)
{
    VMPtr<ListenerLog> listener = newInstance();
    listener->init();
    listener->name = name;
    return listener;
}

void ListenerLog::clear()
{
    g_log.clear();
}

const std::vector<std::string>& ListenerLog::entries()
{
    return g_log;
}

void ListenerLog::heard(const VMPtr<RecordStore>& store, const char* what, int32_t id)
{
    g_log.push_back(name + " " + what + " " + std::to_string(id));
    if (whenTold)
        whenTold();
    if (leaveWhenTold)
        store->removeRecordListener(VMPtr<RecordListener>(this));
    if (throwWhenTold)
        vm_throwNew<java::lang::RuntimeException>();
}

void ListenerLog::recordAdded(VMPtr<RecordStore> store, int32_t id)
{
    heard(store, "added", id);
}

void ListenerLog::recordChanged(VMPtr<RecordStore> store, int32_t id)
{
    heard(store, "changed", id);
}

void ListenerLog::recordDeleted(VMPtr<RecordStore> store, int32_t id)
{
    heard(store, "deleted", id);
}

bool EvenFilter::matches(VMPtr<RmsBytes> candidate)
{
    return numberOf(candidate) % 2 == 0;
}

VMPtr<NumberOrder> NumberOrder::make(bool descending)
{
    VMPtr<NumberOrder> order = newInstance();
    order->init();
    order->descending = descending;
    return order;
}

int32_t NumberOrder::compare(VMPtr<RmsBytes> rec1, VMPtr<RmsBytes> rec2)
{
    int32_t a = numberOf(rec1);
    int32_t b = numberOf(rec2);
    if (descending)
        std::swap(a, b);
    return a < b ? PRECEDES : a > b ? FOLLOWS : EQUIVALENT;
}

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::ListenerLog, "vmtest.ListenerLog", "java.lang.Object",
                             "vmtest/ListenerLog", nullptr);
VM_IMPLEMENTS(vmtest::ListenerLog, "javax.microedition.rms.RecordListener");
VM_REGISTER_CLASS_NO_CREATOR(vmtest::EvenFilter, "vmtest.EvenFilter", "java.lang.Object",
                             "vmtest/EvenFilter", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::NumberOrder, "vmtest.NumberOrder", "java.lang.Object",
                             "vmtest/NumberOrder", nullptr);

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/Integer.h"
#include "java/lang/NullPointerException.h"
#include "java/util/Enumeration.h"
#include "java/util/Hashtable.h"
#include "java/util/NoSuchElementException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace java::lang;
using java::util::Enumeration;
using java::util::Hashtable;
using java::util::NoSuchElementException;

namespace vmtest {

// A key with a chosen hash code, equal to keys of the same name.
class Key : public virtual Object {
    VM_CLASS(Key, Object)

    VMPtr<Key> init(int32_t h, const char* n)
    {
        Object::init();
        hash = h;
        name = n;
        return VMPtr<Key>(this);
    }
    int32_t hashCode() override { return hash; }
    bool equals(VMPtr<Object> other) override
    {
        VMPtr<Key> that = vm_cast<Key>(other);
        return that && that->name == name;
    }
    VMPtr<String> toString() override { return String::newFromCString(name.c_str()); }

    int32_t hash = 0;
    std::string name;
};

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::Key, "vmtest.Key", "java.lang.Object", "vmtest/Key",
                             nullptr);

namespace {

using vmtest::Key;

class HashtableTest : public VMFixture {};

VMPtr<Key> key(int32_t hash, const char* name)
{
    return Key::newInstance()->init(hash, name);
}

VMPtr<Object> num(int32_t i)
{
    return Integer::newInstance()->init(i);
}

std::string all(VMPtr<Enumeration> e)
{
    std::string text;
    while (e->hasMoreElements())
        text += vmText(e->nextElement()->toString()) + " ";
    return text;
}

TEST_F(HashtableTest, CapacityGrowsAtThreshold)
{
    VMPtr<Hashtable> t = Hashtable::newInstance()->init();
    std::vector<int32_t> capacities{t->table->length};
    std::vector<int32_t> thresholds{t->threshold};
    for (int32_t i = 0; i < 575; i++) {
        t->put(num(i), num(-i));
        if (t->table->length != capacities.back()) {
            capacities.push_back(t->table->length);
            thresholds.push_back(t->threshold);
            // The new key went in after the growth.
            EXPECT_EQ(t->size(), i + 1);
        }
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{11, 23, 47, 95, 191, 383, 767}));
    EXPECT_EQ(thresholds, (std::vector<int32_t>{8, 17, 35, 71, 143, 287, 575}));
    // Every mapping survived the rehashes.
    for (int32_t i = 0; i < 575; i++)
        ASSERT_TRUE(t->get(num(i))->equals(num(-i))) << i;

    VMPtr<Hashtable> tiny = Hashtable::newInstance()->init(0);
    EXPECT_EQ(tiny->table->length, 1);
    EXPECT_EQ(tiny->threshold, 0);
    tiny->put(num(1), num(1));
    EXPECT_EQ(tiny->table->length, 3);
    EXPECT_EQ(tiny->threshold, 2);
    tiny->put(num(2), num(2));
    tiny->put(num(3), num(3));
    EXPECT_EQ(tiny->table->length, 7);

    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { Hashtable::newInstance()->init(-1); }));
}

TEST_F(HashtableTest, ReplacingAtThresholdDoesNotGrow)
{
    VMPtr<Hashtable> t = Hashtable::newInstance()->init();
    for (int32_t i = 0; i < 8; i++)
        EXPECT_FALSE(t->put(num(i), num(i)));
    EXPECT_EQ(t->table->length, 11);
    EXPECT_TRUE(t->put(num(3), num(33))->equals(num(3)));
    EXPECT_EQ(t->table->length, 11);
    EXPECT_EQ(t->size(), 8);
    EXPECT_TRUE(t->get(num(3))->equals(num(33)));
}

TEST_F(HashtableTest, BucketsAndEnumerationOrder)
{
    VMPtr<Hashtable> t = Hashtable::newInstance()->init();
    t->put(key(1, "one"), num(1));
    t->put(key(12, "twelve"), num(12));
    t->put(key(2, "two"), num(2));
    // Bucket 2 first; in bucket 1 the newer key stands first.
    EXPECT_EQ(all(t->keys()), "two twelve one ");
    EXPECT_EQ(all(t->elements()), "2 12 1 ");
    EXPECT_EQ(vmText(t->toString()), "{two=2, twelve=12, one=1}");
    EXPECT_EQ(vmText(Hashtable::newInstance()->init()->toString()), "{}");

    // Negative and sign-bit hash codes find non-negative buckets.
    VMPtr<Hashtable> signs = Hashtable::newInstance()->init();
    signs->put(key(-1, "minus"), num(1));
    signs->put(key(int32_t(0x80000000), "min"), num(2));
    EXPECT_TRUE(signs->table->get(1));
    EXPECT_TRUE(signs->table->get(0));
    EXPECT_TRUE(signs->get(key(-1, "minus"))->equals(num(1)));

    // Equal hashes with different keys are separate mappings.
    signs->put(key(-1, "other"), num(3));
    EXPECT_EQ(signs->size(), 3);
    EXPECT_TRUE(signs->get(key(-1, "minus"))->equals(num(1)));
}

TEST_F(HashtableTest, RehashWalksOldBucketsDownAndPushesOntoNewHeads)
{
    VMPtr<Hashtable> t = Hashtable::newInstance()->init();
    // Bucket 1 of 11 holds b, a; c (bucket 3) and d (bucket 2) meet in
    // bucket 2 of 23, as do a and b in bucket 1.
    t->put(key(1, "a"), num(1));
    t->put(key(254, "b"), num(2));
    t->put(key(25, "c"), num(3));
    t->put(key(2, "d"), num(4));
    for (int32_t h = 4; h <= 7; h++)
        t->put(key(h, ("h" + std::to_string(h)).c_str()), num(h));
    EXPECT_EQ(all(t->keys()), "h7 h6 h5 h4 c d b a ");
    t->put(key(8, "e"), num(8)); // the ninth key grows the table first
    ASSERT_EQ(t->table->length, 23);
    EXPECT_EQ(all(t->keys()), "e h7 h6 h5 h4 d c a b ");
}

TEST_F(HashtableTest, RemoveUnlinksFromAnyPlaceInTheChain)
{
    VMPtr<Hashtable> t = Hashtable::newInstance()->init();
    // One bucket holding c, b, a (newest first).
    t->put(key(5, "a"), num(1));
    t->put(key(16, "b"), num(2));
    t->put(key(27, "c"), num(3));
    EXPECT_TRUE(t->remove(key(16, "b"))->equals(num(2))); // middle
    EXPECT_TRUE(t->remove(key(27, "c"))->equals(num(3))); // head
    EXPECT_FALSE(t->remove(key(27, "c")));
    EXPECT_EQ(t->size(), 1);
    EXPECT_TRUE(t->containsKey(key(5, "a")));
    EXPECT_FALSE(t->containsKey(key(16, "b")));
    EXPECT_TRUE(t->contains(num(1)));
    EXPECT_FALSE(t->contains(num(2)));

    t->clear();
    EXPECT_EQ(t->size(), 0);
    EXPECT_TRUE(t->isEmpty());
    EXPECT_EQ(t->table->length, 11);
    EXPECT_FALSE(t->keys()->hasMoreElements());
}

TEST_F(HashtableTest, NullsAreRefusedAndChangeNothing)
{
    VMPtr<Hashtable> t = Hashtable::newInstance()->init();
    t->put(num(1), num(1));
    VMPtr<Object> none;
    std::function<void()> calls[] = {
        [&] { t->put(num(2), none); },  [&] { t->put(none, num(2)); },
        [&] { t->get(none); },          [&] { t->containsKey(none); },
        [&] { t->remove(none); },       [&] { t->contains(none); },
    };
    for (auto& call : calls)
        EXPECT_TRUE(vmThrows<NullPointerException>(call));
    EXPECT_EQ(t->size(), 1);
    EXPECT_EQ(vmText(t->toString()), "{1=1}");
}

TEST_F(HashtableTest, EnumeratorsSkipNothingAndEndCleanly)
{
    VMPtr<Hashtable> t = Hashtable::newInstance()->init();
    for (int32_t i = 0; i < 5; i++)
        t->put(num(i * 11), num(i)); // all in bucket 0
    t->put(num(3), num(30));
    VMPtr<Enumeration> e = t->elements();
    int32_t seen = 0;
    while (e->hasMoreElements() && e->hasMoreElements()) {
        e->nextElement();
        seen++;
    }
    EXPECT_EQ(seen, 6);
    EXPECT_FALSE(e->hasMoreElements());
    for (int i = 0; i < 2; i++) {
        EXPECT_TRUE(vmThrows<NoSuchElementException>([&] { e->nextElement(); },
                                                     "HashtableEnumerator"));
    }

    // An enumerator made before a rehash walks the old array without
    // failing; the table itself keeps every mapping.
    VMPtr<Enumeration> stale = t->keys();
    for (int32_t i = 100; i < 140; i++)
        t->put(num(i), num(i));
    int32_t steps = 0;
    while (stale->hasMoreElements() && steps < 1000) {
        stale->nextElement();
        steps++;
    }
    EXPECT_LT(steps, 1000);
    EXPECT_EQ(t->size(), 46);
}

} // namespace

#include <gtest/gtest.h>

#include "hal/properties.h"
#include "java/io/PrintStream.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/Runtime.h"
#include "vm/VMExitException.h"
#include "java/lang/SecurityException.h"
#include "java/lang/System.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMHeap.h"

using namespace java::lang;

namespace {

class SystemTest : public VMFixture {};

TEST_F(SystemTest, OutAndErrAreOneConsoleStream)
{
    ASSERT_TRUE(System::out());
    EXPECT_EQ(System::out().get(), System::err().get());
    testing::internal::CaptureStdout();
    System::err()->println(vmString("to the console"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "to the console\n");
}

TEST_F(SystemTest, PropertiesComeFromTheBuiltInTableThenSysProp)
{
    vxtest::AppFolder app;
    app.writeSysProperties("microedition.configuration: CLDC-1.0\nmy.key: my value\n");
    HAL_loadProperties();
    EXPECT_EQ(vmText(System::getProperty(vmString("microedition.configuration"))), "CLDC-1.1");
    EXPECT_EQ(vmText(System::getProperty(vmString("microedition.profiles"))), "MIDP-2.0");
    EXPECT_EQ(vmText(System::getProperty(vmString("my.key"))), "my value");
    EXPECT_EQ(vmText(System::getProperty(vmString("no.such.key"))), "<null>");
    HAL_freeProperties();

    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { System::getProperty(vmString("")); },
                                                   "key can't be empty"));
    EXPECT_TRUE(vmThrows<NullPointerException>([] { System::getProperty(VMPtr<String>()); },
                                               "key can't be null"));
}

TEST_F(SystemTest, ExitIsRefusedUnlessAllowed)
{
    const char* refused = "MIDP lifecycle does not support system exit.";
    EXPECT_TRUE(vmThrows<SecurityException>([] { Runtime::getRuntime()->exit(0); }, refused));
    EXPECT_TRUE(vmThrows<SecurityException>([] { System::exit(1); }, refused));

    VMPtr<Runtime> runtime = Runtime::getRuntime();
    EXPECT_EQ(runtime.get(), Runtime::getRuntime().get());
    runtime->setExitAllowed(true);
    int32_t status = -1;
    try {
        System::exit(3);
    } catch (java::lang::Throwable*) {
        ADD_FAILURE() << "an allowed exit is no Throwable";
    } catch (VMExitException* caught) {
        VMPtr<VMExitException> exit(caught);
        status = exit->status;
    }
    runtime->setExitAllowed(false);
    EXPECT_EQ(status, 3);
}

TEST_F(SystemTest, MemoryFiguresFollowTheHeap)
{
    VMPtr<Runtime> runtime = Runtime::getRuntime();
    EXPECT_EQ(runtime->totalMemory(), int64_t(_VM_getHeapState().maximumLimit));
    EXPECT_GT(runtime->freeMemory(), 0);
    EXPECT_LT(runtime->freeMemory(), runtime->totalMemory());
    runtime->gc();

    // More in use than the limit allows: nothing free, not a wrapped figure.
    VMHeapState saved = _VM_getHeapState();
    VMHeapState over = saved;
    over.maximumLimit = 1;
    over.used = 2;
    _VM_setHeapState(over);
    int64_t free = runtime->freeMemory();
    _VM_setHeapState(saved);
    EXPECT_EQ(free, 0);
}

TEST_F(SystemTest, ClockIsWallClockMilliseconds)
{
    int64_t now = System::currentTimeMillis();
    EXPECT_GT(now, int64_t(1577836800) * 1000); // after 2020
    EXPECT_GE(System::currentTimeMillis(), now);
}

} // namespace

// The display: capabilities and colours, switching the current displayable
// with its notices, application activity, command lists and command events,
// serial calls and the argument checks.

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "hal/hal.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "javax/microedition/lcdui/Alert.h"
#include "javax/microedition/lcdui/Display.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMEventRegistry.h"

using namespace javax::microedition::lcdui;
using vxtest::CallLog;
using vxtest::TestCanvas;

namespace {

using Calls = std::vector<std::string>;

class DisplayTest : public VMFixture {
protected:
    void SetUp() override
    {
        display = Display::getDisplay(nullptr);
        a = TestCanvas::newInstance()->init("a");
        b = TestCanvas::newInstance()->init("b");
    }

    static void post(int32_t event, std::initializer_list<intptr_t> words = {})
    {
        HAL_dispatchEvent(event, int32_t(words.size()), words.begin());
    }

    static VMPtr<Command> command(const char* label)
    {
        return Command::newInstance()->init(vmString(label), Command::SCREEN, 1);
    }

    VMStatic<Display> display;
    VMStatic<TestCanvas> a;
    VMStatic<TestCanvas> b;
};

TEST_F(DisplayTest, ColoursBordersAndCapabilities)
{
    const int32_t colours[] = {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xAFAFAF, 0x606060};
    for (int32_t specifier = 0; specifier < 6; ++specifier)
        EXPECT_EQ(display->getColor(specifier), colours[specifier]) << specifier;
    for (int32_t bad : {-1, 6})
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>([&] { display->getColor(bad); }));
    EXPECT_EQ(display->getBorderStyle(true), Display::SOLID);
    EXPECT_EQ(display->getBorderStyle(false), Display::DOTTED);
    EXPECT_TRUE(display->isColor());
    EXPECT_EQ(display->numColors(), 65536);
    EXPECT_EQ(display->numAlphaLevels(), 32);
    EXPECT_EQ(Display::getDisplay(nullptr).get(), display.get());
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>([] { Display::vibrate(-1); }));
    EXPECT_FALSE(Display::vibrate(100));
}

TEST_F(DisplayTest, SwitchingHidesTheOldDisplayableBeforeShowingTheNew)
{
    EXPECT_FALSE(display->getCurrent());
    display->setCurrent(VMPtr<Displayable>(a));
    display->setCurrent(VMPtr<Displayable>(a)); // current already: no notices
    EXPECT_EQ(display->getCurrent().get(), a.get());
    display->setCurrent(VMPtr<Displayable>(b));
    EXPECT_EQ(display->getCurrent().get(), b.get());
    display->setCurrent(VMPtr<Displayable>(nullptr)); // changes nothing
    EXPECT_EQ(display->getCurrent().get(), b.get());
    EXPECT_EQ(CallLog::all(), (Calls{"a.showNotify", "a.hideNotify", "b.showNotify"}));
    EXPECT_TRUE(b->isShown());
    EXPECT_FALSE(a->isShown());
}

TEST_F(DisplayTest, DuringASwitchTheDisplayAnswersTheDisplayableBeingShown)
{
    display->setCurrent(VMPtr<Displayable>(a));
    VMPtr<Displayable> seen;
    b->onShow = [&] { seen = display->getCurrent(); };
    display->setCurrent(VMPtr<Displayable>(b));
    EXPECT_EQ(seen.get(), b.get());
}

TEST_F(DisplayTest, InactivityHidesAndActivityShowsTheCurrentDisplayableOnce)
{
    display->setCurrent(VMPtr<Displayable>(a));
    post(HAL_EVENT_INACTIVE);
    EXPECT_FALSE(a->isShown());
    post(HAL_EVENT_INACTIVE);
    post(HAL_EVENT_ACTIVE);
    post(HAL_EVENT_ACTIVE);
    EXPECT_TRUE(a->isShown());
    EXPECT_EQ(CallLog::all(), (Calls{"a.showNotify", "a.hideNotify", "a.showNotify"}));
}

TEST_F(DisplayTest, InputGoesToTheCurrentDisplayableOnly)
{
    post(HAL_EVENT_KEY_PRESSED, {-5}); // nothing current: dropped
    display->setCurrent(VMPtr<Displayable>(a));
    CallLog::clear();
    post(HAL_EVENT_KEY_PRESSED, {-5});
    post(HAL_EVENT_KEY_REPEATED, {-5});
    post(HAL_EVENT_KEY_RELEASED, {-5});
    post(HAL_EVENT_POINTER_PRESSED, {10, 20});
    post(HAL_EVENT_POINTER_DRAGGED, {11, 22});
    post(HAL_EVENT_POINTER_RELEASED, {12, 24});
    // A size change goes to the displayable it names.
    post(HAL_EVENT_DISPLAYABLE_SIZE, {reinterpret_cast<intptr_t>(static_cast<Displayable*>(b.get())), 240, 320});
    EXPECT_EQ(CallLog::all(),
              (Calls{"a.keyPressed -5", "a.keyRepeated -5", "a.keyReleased -5", "a.pointerPressed 10 20",
                     "a.pointerDragged 11 22", "a.pointerReleased 12 24", "b.sizeChanged 240 320"}));
}

TEST_F(DisplayTest, SuppressedGameKeysReachNoCallback)
{
    VMPtr<TestCanvas> game = TestCanvas::newInstance()->init("game", true);
    display->setCurrent(VMPtr<Displayable>(game));
    CallLog::clear();
    post(HAL_EVENT_KEY_PRESSED, {-5}); // FIRE
    post(HAL_EVENT_KEY_RELEASED, {-5});
    post(HAL_EVENT_KEY_PRESSED, {'7'}); // no game action
    post(HAL_EVENT_KEY_RELEASED, {'7'});
    EXPECT_EQ(CallLog::all(), (Calls{"game.keyPressed 55", "game.keyReleased 55"}));
}

TEST_F(DisplayTest, CommandListsKeepOneEntryPerCommandAndGrowByFour)
{
    VMPtr<Command> c[5] = {command("0"), command("1"), command("2"), command("3"), command("4")};
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { a->addCommand(nullptr); }));
    a->addCommand(c[0]);
    a->addCommand(c[0]);
    EXPECT_EQ(a->commandCount, 1);
    EXPECT_EQ(a->commands->length, 4);
    for (int i = 1; i < 5; ++i)
        a->addCommand(c[i]);
    EXPECT_EQ(a->commandCount, 5);
    EXPECT_EQ(a->commands->length, 8);
    // Removal moves the last entry into the freed place.
    a->removeCommand(c[0]);
    a->removeCommand(c[0]);
    EXPECT_EQ(a->commandCount, 4);
    EXPECT_EQ(a->commands->get(0).get(), c[4].get());
    EXPECT_EQ(a->commands->get(4).get(), nullptr);
}

TEST_F(DisplayTest, CommandEventsReachTheListenerOfTheCurrentDisplayable)
{
    VMPtr<Command> ok = command("ok");
    VMPtr<Command> other = command("other");
    a->addCommand(ok);
    display->setCurrent(VMPtr<Displayable>(a));
    CallLog::clear();
    auto handle = [](const VMPtr<Command>& c) { return reinterpret_cast<intptr_t>(c->platformCommand); };
    post(HAL_EVENT_COMMAND, {handle(ok)}); // no listener yet
    a->setCommandListener(vxtest::TestCommandListener::newInstance());
    post(HAL_EVENT_COMMAND, {handle(other)}); // not a command of a
    post(HAL_EVENT_COMMAND, {handle(ok)});
    EXPECT_EQ(CallLog::all(), (Calls{"command ok a"}));
}

TEST_F(DisplayTest, CommandsCheckTheirArguments)
{
    for (int32_t type : {0, 9}) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { Command::newInstance()->init(vmString("x"), type, 1); }));
    }
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [] { Command::newInstance()->init(nullptr, Command::OK, 1); }));
    VMPtr<Command> c = Command::newInstance()->init(vmString("x"), Command::EXIT, 3);
    EXPECT_EQ(vmText(c->getLabel()), "x");
    EXPECT_EQ(vmText(c->getLongLabel()), "<null>");
    EXPECT_EQ(c->getCommandType(), Command::EXIT);
    EXPECT_EQ(c->getPriority(), 3);
    Alert::_VM_clinit();
    VMPtr<Command> dismiss = Alert::DISMISS_COMMAND;
    EXPECT_EQ(vmText(dismiss->getLabel()), "");
    EXPECT_EQ(dismiss->getCommandType(), Command::OK);
    EXPECT_EQ(dismiss->getPriority(), 0);
}

TEST_F(DisplayTest, AlertsAreCheckedAndShowWhatFollowsThem)
{
    VMPtr<Alert> alert = Alert::newInstance()->init(vmString("alert"));
    VMPtr<Alert> alert2 = Alert::newInstance()->init(vmString("alert2"));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { display->setCurrent(alert, VMPtr<Displayable>(alert2)); }));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [&] { display->setCurrent(VMPtr<Alert>(nullptr), VMPtr<Displayable>(a)); }));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [&] { display->setCurrent(alert, VMPtr<Displayable>(nullptr)); }));
    // The platform has no alerts: the displayable after the alert is shown.
    display->setCurrent(alert, VMPtr<Displayable>(a));
    EXPECT_EQ(display->getCurrent().get(), a.get());
    display->setCurrent(VMPtr<Displayable>(alert2)); // follows a: a stays
    EXPECT_EQ(alert2->nextDisplayable.get(), a.get());
    EXPECT_EQ(display->getCurrent().get(), a.get());
    EXPECT_EQ(CallLog::all(), (Calls{"a.showNotify"}));
}

TEST_F(DisplayTest, TitlesAndTickersKeepTheirTexts)
{
    a->setTitle(vmString("title"));
    EXPECT_EQ(vmText(a->getTitle()), "title");
    a->setTitle(nullptr);
    EXPECT_EQ(vmText(a->getTitle()), "<null>");
    VMPtr<Ticker> ticker = Ticker::newInstance()->init(vmString("news"));
    a->setTicker(ticker);
    EXPECT_EQ(vmText(a->getTicker()->getString()), "news");
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { ticker->setString(nullptr); }));
}

} // namespace

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "vm/VMEventRegistry.h"

#include "com/tarquel/velto/cldc/util/TimeZonePimpl.h"
#include "hal/device.h"
#include "java/lang/NullPointerException.h"
#include "java/util/TimeZone.h"
#include "support/HalTestSupport.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using com::tarquel::velto::cldc::util::TimeZonePimpl;
using java::util::TimeZone;

namespace {

class TimeZoneTest : public VMFixture {};

VMPtr<TimeZone> zoneOf(const char* id)
{
    return TimeZone::getTimeZone(vmString(id));
}

TEST_F(TimeZoneTest, TableZonesAreShared)
{
    VMPtr<TimeZone> gmt = zoneOf("GMT");
    EXPECT_EQ(gmt, zoneOf("GMT"));
    EXPECT_EQ(zoneOf("UTC"), zoneOf("UTC"));
    EXPECT_NE(gmt, zoneOf("UTC"));
    EXPECT_EQ(vmText(gmt->getID()), "GMT");
    // Lookups are case-sensitive; an unknown ID gives the zone "GMT".
    EXPECT_EQ(zoneOf("gmt"), gmt);
    EXPECT_EQ(zoneOf("Europe/Paris"), gmt);
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>(
        [] { TimeZone::getTimeZone(nullptr); }));

    // The device zone is named after the platform's offset and found by it.
    VMPtr<TimeZone> device = TimeZone::getDefault();
    int32_t offset = HAL_getTimeZoneOffset();
    EXPECT_EQ(device->getRawOffset(), offset);
    EXPECT_EQ(vmText(device->getID()), vmText(TimeZonePimpl::formatOffsetID(true, offset)));
    EXPECT_EQ(TimeZone::getTimeZone(device->getID()), device);
}

TEST_F(TimeZoneTest, OffsetIDsAreParsedAndNormalised)
{
    struct Case {
        const char* id;
        int32_t offset;
        const char* normalised; // null: not an offset ID (the zone "GMT")
    } cases[] = {
        {"GMT+5", 5 * 3600000, "GMT+05:00"},
        {"GMT+05", 5 * 3600000, "GMT+05:00"},
        {"GMT-5:30", -19800000, "GMT-05:30"},
        {"GMT+05:30", 19800000, "GMT+05:30"},
        {"GMT+0530", 19800000, "GMT+05:30"},
        {"GMT+530", 19800000, "GMT+05:30"},
        {"GMT+136", 96 * 60000, "GMT+01:36"},
        {"UTC+23:59", (23 * 60 + 59) * 60000, "UTC+23:59"},
        {"UTC-0800", -28800000, "UTC-08:00"},
        {"GMT+00", 0, "GMT+00:00"},
        {"GMT+24", 0, nullptr},
        {"GMT+5:60", 0, nullptr},
        {"GMT+130", 0, nullptr},
        {"GMT+05:30x", 0, nullptr},
        {"GMT+05:30:00", 0, nullptr},
        {"GMT5", 0, nullptr},
        {"GMT", 0, nullptr},
        {"GMT+", 0, nullptr},
        {"GMT+:30", 0, nullptr},
        {"GMT++5", 0, nullptr},
        {"GMT 5:00", 0, nullptr},
        {"XYZ+05:00", 0, nullptr},
    };
    VMPtr<TimeZone> gmt = zoneOf("GMT");
    for (const Case& c : cases) {
        VMPtr<TimeZone> zone = zoneOf(c.id);
        if (!c.normalised) {
            EXPECT_EQ(zone, gmt) << c.id;
            continue;
        }
        EXPECT_EQ(vmText(zone->getID()), c.normalised) << c.id;
        EXPECT_EQ(zone->getRawOffset(), c.offset) << c.id;
        EXPECT_FALSE(zone->useDaylightTime());
        EXPECT_EQ(zone->getOffset(1, 2026, 6, 1, 1, 0), c.offset) << c.id;
        EXPECT_NE(zoneOf(c.id), zone) << "custom zones are made anew";
    }
}

TEST_F(TimeZoneTest, OffsetIDFormat)
{
    EXPECT_EQ(vmText(TimeZonePimpl::formatOffsetID(true, 19800000)), "UTC+05:30");
    EXPECT_EQ(vmText(TimeZonePimpl::formatOffsetID(false, -3600000)), "GMT-01:00");
    EXPECT_EQ(vmText(TimeZonePimpl::formatOffsetID(true, 0)), "UTC+00:00");
    EXPECT_EQ(vmText(TimeZonePimpl::formatOffsetID(false, -(13 * 60 + 45) * 60000)),
              "GMT-13:45");
}

TEST_F(TimeZoneTest, ZoneChangeEventRebuildsTheDeviceZone)
{
    VMPtr<TimeZone> before = TimeZone::getDefault();
    int32_t oldOffset = before->getRawOffset();
    {
        vxtest::ScopedTZ tz("<+0330>-3:30");
        HAL_dispatchEvent(2, 0, nullptr); // other events change nothing
        EXPECT_EQ(TimeZone::getDefault(), before);
        HAL_dispatchEvent(4, 0, nullptr);
        VMPtr<TimeZone> after = TimeZone::getDefault();
        EXPECT_NE(after, before);
        EXPECT_EQ(after->getRawOffset(), 12600000);
        EXPECT_EQ(vmText(after->getID()), "UTC+03:30");
        EXPECT_EQ(TimeZone::getTimeZone(vmString("UTC+03:30")), after);
        // A zone handed out before keeps its offset.
        EXPECT_EQ(before->getRawOffset(), oldOffset);
    }
    HAL_dispatchEvent(4, 0, nullptr); // back to the restored TZ
}

} // namespace

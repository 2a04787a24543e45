#include "generated/Texts.h"

namespace generated {

// The text identifiers the game's code names are fixed; data that moves one
// fails the build here.
static_assert(Texts::TXT_LANGUAGE == 1);
static_assert(Texts::TXT_ARE_YOU_SURE == 8);
static_assert(Texts::TXT_SOUND_QUESTION == 9);
static_assert(Texts::TXT_PAUSED == 10);
static_assert(Texts::TXT_CONTINUE == 11);
static_assert(Texts::TXT_QUIT_STAGE == 17);
static_assert(Texts::TXT_SOUND == 24);
static_assert(Texts::TXT_ABOUT == 25);
static_assert(Texts::TXT_QUIT == 27);
static_assert(Texts::TXT_SOUND_SETTING == 31);
static_assert(Texts::TXT_ABOUT_HEADING == 32);
static_assert(Texts::TXT_VERSION == 33);
static_assert(Texts::TXT_ABOUT_BODY == 45);
static_assert(Texts::TXT_SELECT_STAGE == 48);
static_assert(Texts::TXT_LEVEL == 49);
static_assert(Texts::TXT_SHOP == 50);
static_assert(Texts::TXT_BUY_WEAPON_FIRST == 51);
static_assert(Texts::TXT_BUY_SUPPORT_FIRST == 52);
static_assert(Texts::TXT_NOT_ENOUGH_MONEY == 53);

} // namespace generated

VM_REGISTER_INTERFACE(generated::Texts, "generated.Texts",
                      "..\\src\\generated_Texts", nullptr);

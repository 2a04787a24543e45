#include "generated/AnimUiButton.h"

namespace generated {

// The animation numbers the game's code names are fixed; data that moves one
// fails the build here.
static_assert(AnimUiButton::UP_PRESSED == 4);
static_assert(AnimUiButton::UP == 5);
static_assert(AnimUiButton::DOWN_PRESSED == 6);
static_assert(AnimUiButton::DOWN == 7);
static_assert(AnimUiButton::LEFT_PRESSED == 8);
static_assert(AnimUiButton::LEFT == 9);
static_assert(AnimUiButton::RIGHT_PRESSED == 10);
static_assert(AnimUiButton::RIGHT == 11);
static_assert(AnimUiButton::YES_CHOSEN == 12);
static_assert(AnimUiButton::NO_CHOSEN == 13);
static_assert(AnimUiButton::YES_UNCHOSEN == 14);
static_assert(AnimUiButton::NO_UNCHOSEN == 15);
static_assert(AnimUiButton::HIDDEN == 16);

} // namespace generated

VM_REGISTER_INTERFACE(generated::AnimUiButton, "generated.AnimUiButton",
                      "..\\src\\generated_AnimUiButton", nullptr);

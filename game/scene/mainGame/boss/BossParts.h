#pragma once
// Steps shared by the bosses of the later stages: parts hung on the
// attachment points of another item's frame, the pattern clock, the choice
// of the next pattern and the end of the fight.
//
// The attachment points are data: a boss reads at most as many as it has
// places for. Places whose point is missing stay empty and off, so the
// places after them keep their numbers.

#include <cstdint>
#include <initializer_list>

#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss::parts {

using IntArray = VMArray<int32_t, 1>;

constexpr int32_t POINT_BUFFER = ClsBoss::BOX_BUFFER;
constexpr int32_t POINT_INTS = 5;
// Milliseconds between a part's shots.
constexpr int32_t SHOT_TIME = 1000;

// The points of kind boxKind of item host's current frame into points
// ((x, y) offsets first): at most limit of them and no more than the boss
// has places left; 0 for an item without an animation player.
int32_t readPoints(ClsBoss* boss, int32_t host, int32_t boxKind, int32_t limit,
                   VMPtr<IntArray> points);

// Whether a hung part's partValue keeps the box kind it hangs on (its
// group, read by the bosses of the first stages) or stays 0.
enum class Group { Unkept, Kept };

// Adds a part at host's position plus (ox, oy), showing animation
// `animation`: kind 1, on, untouchable, its offset kept, partValue the box
// kind when the group is kept. Answers its index.
int32_t addPart(ClsBoss* boss, int32_t gobs, int32_t anims, int32_t animation, int32_t host,
                int32_t ox, int32_t oy, int32_t boxKind, Group group);

// Hangs parts on every point of the kind that the host's frame has, up to
// `places` of them, with parent[part] := host, then moves the panel's
// counter past all `places` (parent may be null: no parents kept). Answers
// how many parts it hung.
int32_t hangParts(ClsBoss* boss, VMPtr<IntArray> parent, int32_t gobs, int32_t anims,
                  int32_t animation, int32_t host, int32_t boxKind, int32_t places,
                  Group group = Group::Unkept);

// Patterns in use (0 .. this) by level 1 to 4, for the bosses whose level
// sets them; another level leaves phaseCount as it is.
void setPhaseCount(ClsBoss* boss, int32_t level);

// Item i leaves the panel once it is off, of one of the kinds and showing
// another frame than its element's (its wreck).
void removeWreck(ClsBoss* boss, int32_t i, std::initializer_list<int32_t> kinds);

// Hit points of the items from..to (both included, below the counter)
// that are there.
void setHitPoints(ClsBoss* boss, int32_t from, int32_t to, int32_t value);

// The part at i follows its parent at its offset.
void follow(ClsBoss* boss, VMPtr<IntArray> parent, int32_t i);

// The countdown loses the frame time; true, and set back to reload, once
// it is 0 or below.
bool countDown(int32_t& timer, int32_t reload);

// From p on, the first pattern that passOver does not skip among 0..last;
// 0 when that is above limit.
template <typename PassOver>
int32_t choosePattern(int32_t p, int32_t last, int32_t limit, PassOver passOver)
{
    while (p >= 0 && p <= last && passOver(p))
        p++;
    return p > limit ? 0 : p;
}

// Box kind of the parts' areas that touch the player's ship.
constexpr int32_t TOUCH_BOX = 14;

// The per-item part of a boss's frame: step(i) for every added item; while
// fighting, the item against the player and check(i); then the item's
// picture is placed at its position and animated.
template <typename Step, typename Check>
void stepItems(ClsBoss* boss, Step step, Check check)
{
    for (int32_t i = 0; i < boss->nextItem; i++) {
        step(i);
        if (boss->state == 1) {
            boss->collidePartWithPlayer(i, TOUCH_BOX);
            check(i);
        }
        boss->setItemPosition(i, (*boss->x)[i], (*boss->y)[i]);
        boss->animateElement(i);
    }
}

// Item i is there and not off.
bool alive(ClsBoss* boss, int32_t i);
// None of the items is there and on.
bool allOff(ClsBoss* boss, std::initializer_list<int32_t> items);

// While fighting, item i's shot clock: its flag cleared, its timer started
// if idle; true once a second, when the item is on.
bool shotDue(ClsBoss* boss, int32_t i);

// Every item but the anchor follows its parent, the anchor moves one step
// towards the boss's target; true once the target lies above the anchor.
bool bringOn(ClsBoss* boss, VMPtr<IntArray> parent, int32_t anchor);

// A destroyed part: its wreck frame, the sound, a ring of 4 coins, off.
void partFalls(ClsBoss* boss, int32_t i, int32_t wreck);
// A falling boss piece: the sound and a ring of `coins` coins at it.
void pieceFalls(ClsBoss* boss, int32_t i, int32_t coins);
// A hit that a part survived: an odd (flashing) frame goes one lower.
void endFlash(ClsBoss* boss, int32_t i);

// The boss has fallen: while the player has lives left, the stage is won
// and the enemy shots vanish.
void defeat(ClsBoss* boss);

// The hub's sound effect of a fallen part (0) or of a fallen boss piece
// (1 or 2, at random).
void partSound();
void bossSound(ClsBoss* boss);

// maxHp grows by the hit points of the added parts; the total starts full.
void fillHitPoints(ClsBoss* boss);

} // namespace scene::mainGame::boss::parts

#pragma once
// scene.mainGame.boss.ClsBoss: the base of the stage bosses, a plane whose
// elements are the boss's parts (a core, arms, turrets, drones...). It keeps
// the boss-wide hit points, the count of destructible parts left, the entry
// target, the level, per-part offsets from a parent part and a per-part
// rectangle cache, and tests the parts against the player's plane.
//
// The plane's per-element hp is a part's hit points; bossHp is the boss's
// running total. Element kind 1 is a destructible part in every boss.
//
// Life: init (then the boss's own fields and hideAllParts), start when the
// waves are over (the level's layout, maxHp and bossHp), then update each
// frame: enter, attacks, parts following their parent, collisions, items
// moved to the parts.

#include <cstdint>

#include "scene/mainGame/ClsPlane.h"
#include "tq/util/ArrayList.h"

namespace scene::mainGame::boss {

class ClsBoss : public ClsPlane {
    VM_ABSTRACT_CLASS(ClsBoss, ClsPlane)

    using IntTable = VMArray<int32_t, 2>;

    // Ints of the buffer the attachment points of a frame are read into.
    static constexpr int32_t BOX_BUFFER = 1000;
    // Player box kind tested against the parts.
    static constexpr int32_t PLAYER_BOX = 0;
    // Element kind of a destructible part.
    static constexpr int32_t KIND_DESTRUCTIBLE = 1;

    // The plane with the factory, target (0, 0), the level, n parts.
    VMPtr<ClsBoss> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel, int32_t parts);

    // Also clears the part's numbers, partFlag and partValue; off.
    void removeItem(int32_t i) override;
    // Also the per-part offsets, flags, values and rectangle rows.
    void allocItems(int32_t n) override;
    // Lowers the part and bossHp (no floor).
    void damage(int32_t i, int32_t amount) override;

    // The box of the kind of part i against every touchable player element: one
    // hit point per overlapping element and frame, pods excepted.
    virtual void collidePartWithPlayer(int32_t i, int32_t boxKind);
    // Strict: shared edges and empty rectangles do not overlap.
    virtual bool rectsOverlap(VMPtr<IntArray> a, VMPtr<IntArray> b);
    // Added parts not off; kept in activeParts.
    virtual int32_t countActiveParts();
    virtual int32_t getPartsLeft();
    // Sum of the positive hit points of every place, added or not; bossHp
    // itself for a boss that keeps its running total.
    virtual int32_t getBossHp();
    // 0 .. n - 1 from the hub's random source.
    virtual int32_t random(int32_t n);
    // The anchor part (0) toward target; fighting once target's y is above
    // it.
    virtual void enter();
    virtual int32_t getMaxHp();
    // Ends every bullet of the list but the money pick-ups.
    virtual void clearBullets(VMPtr<tq::util::ArrayList> list);
    // Every place off and touchable: a new boss shows nothing.
    virtual void hideAllParts();
    // Brings the boss on: its parts for its level, maxHp and bossHp.
    virtual void start() = 0;

    // Whether the player still has ships left.
    static bool playerHasLives();
    // The collision boxes of the kind on part's current frame, relative to
    // the part, into out (five ints each); how many, at most the boxes out
    // holds. 0 without an animation player.
    int32_t readAttachPoints(int32_t part, int32_t boxKind, VMPtr<IntArray> out);
    // The layout of the boss's level (1 to 4; another level lays nothing out).
    template <class Boss>
    static void layoutByLevel(Boss* boss)
    {
        switch (boss->level) {
        case 1: boss->layoutLevel1(); break;
        case 2: boss->layoutLevel2(); break;
        case 3: boss->layoutLevel3(); break;
        case 4: boss->layoutLevel4(); break;
        default: break;
        }
    }
    // The base's damage, and part i's parent (another item) loses as much.
    void damageWithParent(VMPtr<IntArray> parent, int32_t i, int32_t amount);
    // The element of the item just added at place i: on, untouchable.
    void placePart(int32_t i, int32_t elementKind, int32_t px, int32_t py, int32_t partSpeed);

    int32_t work0 = 0;
    int32_t work1 = 0;
    VMField<BoolArray> partFlag;
    int32_t phase = 0;
    VMField<IntArray> offsetY;
    VMField<IntArray> offsetX;
    int32_t work2 = 0;
    int32_t phaseCount = 0;
    int32_t bossHp = 0;
    int32_t work3 = 0;
    VMField<IntArray> target;
    int32_t level = 0;
    int32_t work4 = 0;
    int32_t activeParts = 0;
    int32_t work5 = 0;
    VMField<IntArray> playerRect;
    int32_t partsLeft = 0;
    int32_t maxHp = 0;
    VMField<IntArray> partValue;
    VMField<IntTable> partRect;
    int32_t work6 = 0;
    // getBossHp answers bossHp rather than the sum over the parts.
    bool keepsRunningTotal = false;

    VM_FIELDS(partFlag, offsetY, offsetX, target, playerRect, partValue, partRect)
};

} // namespace scene::mainGame::boss

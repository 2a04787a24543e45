#include "scene/mainGame/weapon/ClsPlyLaser_2.h"

#include "generated/RP.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsPlyCommon.h"

namespace scene::mainGame::weapon {

namespace {
// The pictures by direction: up, down, left, right.
constexpr int32_t GOB_SETS[] = {
    generated::RP::PLAYER_LASER_VERTICAL, generated::RP::PLAYER_LASER_VERTICAL,
    generated::RP::PLAYER_LASER_HORIZONTAL, generated::RP::PLAYER_LASER_HORIZONTAL};
constexpr int32_t ANIM_SETS[] = {
    generated::RP::PLAYER_LASER_UP_ANIMS, generated::RP::PLAYER_LASER_DOWN_ANIMS,
    generated::RP::PLAYER_LASER_LEFT_ANIMS, generated::RP::PLAYER_LASER_RIGHT_ANIMS};
constexpr int32_t MAIN_ANIMATION = 6;
// Segment 0 plays FIRST_SEGMENT + level, the others OTHER_SEGMENTS + level;
// the main picture LAYOUT + level.
constexpr int32_t LAYOUT = 2;
constexpr int32_t FIRST_SEGMENT = 2;
constexpr int32_t OTHER_SEGMENTS = 5;
} // namespace

VMPtr<ClsPlyLaser_2> ClsPlyLaser_2::init(int32_t dir0, int32_t part0)
{
    ClsBullet::init(1, 1, 1, 1, 1);
    part = part0;
    damage = plyshot::damageOf(part0);
    // Up-left and up-right (and anything beyond) fire upwards.
    if (dir0 < 0 || dir0 > 3)
        dir0 = 0;
    setAnimation(GOB_SETS[dir0], ANIM_SETS[dir0], MAIN_ANIMATION);
    dir = dir0;
    layoutSegments();
    segX = IntArray::newArray(n);
    segY = IntArray::newArray(n);
    segments = PlayerArray::newArray(n);
    int32_t level = plyshot::level();
    for (int32_t k = 0; k < n; k++) {
        setSegmentAnimation(k, GOB_SETS[dir0], ANIM_SETS[dir0]);
        segments->get(k)->setAnimation((k == 0 ? FIRST_SEGMENT : OTHER_SEGMENTS) + level);
    }
    return VMPtr<ClsPlyLaser_2>(this);
}

void ClsPlyLaser_2::release()
{
    ClsBullet::release();
    segX = nullptr;
    segY = nullptr;
    segOffX = nullptr;
    segOffY = nullptr;
    segments = nullptr;
}

void ClsPlyLaser_2::layoutSegments()
{
    anim->setAnimation(LAYOUT + plyshot::level());
    VMPtr<tq::Frame> first = anim->getFrame();
    int32_t height = first->getHeight(0);
    int32_t across = first->getWidth(0);
    int32_t reach = SCREEN_HEIGHT;
    if (vertical()) {
        segLen = height;
        width = across;
    } else {
        segLen = across;
        width = height;
        reach = SCREEN_WIDTH;
    }
    // A picture without length makes no segments.
    n = segLen > 0 ? reach / segLen : 0;
    segOffX = IntArray::newArray(n);
    segOffY = IntArray::newArray(n);
    int32_t sign = dir == 0 || dir == 2 ? -1 : 1;
    for (int32_t k = 0; k < n; k++) {
        int32_t offset = sign * (k + 1) * segLen;
        (*segOffX)[k] = vertical() ? 0 : offset;
        (*segOffY)[k] = vertical() ? offset : 0;
    }
}

bool ClsPlyLaser_2::overlaps(VMPtr<IntArray> a, VMPtr<IntArray> b)
{
    if (vertical())
        return (*b)[0] < (*a)[0] + (*a)[2] && (*a)[0] < (*b)[0] + (*b)[2];
    return !((*a)[1] + (*a)[3] <= (*b)[1] || (*b)[1] + (*b)[3] <= (*a)[1]);
}

void ClsPlyLaser_2::update(int64_t, int32_t)
{
    checkActive();
    beat();
    VMPtr<ClsPlayer> player = MainGame::player;
    for (int32_t k = n - 1; k >= 0; k--) {
        (*segX)[k] = (*segOffX)[k] + player->getX(part);
        (*segY)[k] = player->getY(part) + (*segOffY)[k];
    }
    if (active)
        plyshot::strike(*this, &ClsBullet::collide);
}

void ClsPlyLaser_2::draw(VMPtr<Graphics> g)
{
    if (!active)
        return;
    bool stopped = MainGame::player->isStopped();
    for (int32_t k = 0; k < n; k++) {
        VMPtr<tq::AnimPlayer> segment = segments->get(k);
        segment->paint(g, (*segX)[k], (*segY)[k], 0);
        if (!stopped)
            segment->update(frameTime);
    }
}

void ClsPlyLaser_2::collide(VMPtr<ClsPlane> plane)
{
    // Without segments the beam has no first segment and reaches nothing.
    if (n == 0)
        return;
    VMPtr<ClsPlayer> player = MainGame::player;
    for (int32_t i = 0; i < plane->getNextItem(); i++) {
        if (plane->isInactive(i) || plane->isInvulnerable(i))
            continue;
        VMPtr<IntArray> rect = ownHitRect();
        plane->getItemBoxInto(i, 0, rect);
        (*box)[0] = player->getX(part) - width / 2;
        (*box)[1] = player->getY(part) - width / 2;
        (*box)[2] = width;
        (*box)[3] = width;
        if (overlaps(rect, box) && inReach(rect) && ticked) {
            plane->damage(i, damage);
            plane->onPartHit(i);
        }
    }
}

bool ClsPlyLaser_2::timerElapsed(int32_t limit, bool reset)
{
    return plyshot::timerElapsed(timer, timerOn, limit, reset);
}

void ClsPlyLaser_2::beat()
{
    startTimer();
    ticked = timerElapsed(BEAT, true);
}

void ClsPlyLaser_2::startTimer()
{
    plyshot::startTimer(timer, timerOn);
}

void ClsPlyLaser_2::checkActive()
{
    VMPtr<ClsPlayer> player = MainGame::player;
    int32_t state = player->getState();
    active = !player->isInactive(part) &&
             (state == ClsPlayer::STATE_PLAYING || state == ClsPlayer::STATE_DEMO);
}

void ClsPlyLaser_2::setSegmentAnimation(int32_t k, int32_t gobSetId, int32_t animSetId)
{
    // setAnimation makes the player; the main picture stays.
    VMPtr<tq::AnimPlayer> main = anim;
    setAnimation(gobSetId, animSetId, 0);
    segments->set(k, anim);
    anim = main;
}

bool ClsPlyLaser_2::inReach(VMPtr<IntArray> rect)
{
    int32_t rx = (*rect)[0];
    int32_t ry = (*rect)[1];
    switch (dir) {
    case 0:
        return 0 < ry && ry < (*segY)[0];
    case 1:
        return (*segY)[0] < ry && ry < SCREEN_HEIGHT;
    case 2:
        return 0 < rx && rx < (*segX)[0];
    default:
        return (*segX)[0] < rx && rx < SCREEN_WIDTH;
    }
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyLaser_2,
                             "scene.mainGame.weapon.ClsPlyLaser_2",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyLaser_2", nullptr);

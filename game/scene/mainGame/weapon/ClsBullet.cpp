#include "scene/mainGame/weapon/ClsBullet.h"

#include "java/io/PrintStream.h"
#include "java/lang/System.h"
#include "scene/mainGame/ClsPlane.h"
#include "ui/ResManager.h"
#include "vm/VMStringLiterals.h"

namespace scene::mainGame::weapon {

VMPtr<ClsBullet> ClsBullet::init(int32_t x0, int32_t y0, int32_t vx0, int32_t vy0, int32_t speed)
{
    MyObject::init();
    x = x0;
    y = y0;
    vx = vx0;
    vy = vy0;
    dead = false;
    pickup = false;
    stepPerMs = stepFor(speed);
    damage = 1;
    box = IntArray::newArray(5);
    return VMPtr<ClsBullet>(this);
}

void ClsBullet::release()
{
    anim = nullptr;
    hitRect = nullptr;
    box = nullptr;
}

void ClsBullet::setY(int32_t value)
{
    y = value;
}

bool ClsBullet::overlaps(VMPtr<IntArray> a, VMPtr<IntArray> b)
{
    return (*a)[0] < (*b)[0] + (*b)[2] && (*a)[1] < (*b)[1] + (*b)[3] &&
           (*a)[0] + (*a)[2] > (*b)[0] && (*a)[1] + (*a)[3] > (*b)[1];
}

void ClsBullet::setX(int32_t value)
{
    x = value;
}

bool ClsBullet::isPickup()
{
    return pickup;
}

int32_t ClsBullet::getX()
{
    return x;
}

int32_t ClsBullet::getY()
{
    return y;
}

void ClsBullet::update(int64_t, int32_t)
{
    java::lang::System::out()->println(_VM_literal("Virtual bullet"));
}

void ClsBullet::setAnimation(int32_t gobSetId, int32_t animSetId, int32_t animIndex)
{
    ui::ResManager::load(gobSetId, animSetId);
    gobSlot = ui::ResManager::getLastGobSlot();
    animSetSlot = ui::ResManager::getLastAnimSetSlot();
    VMPtr<tq::AnimPlayer> player = tq::AnimPlayer::create()->init();
    player->setAnimSet(ui::ResManager::animSets->get(animSetSlot));
    player->setAnimation(animIndex);
    anim = player;
}

void ClsBullet::draw(VMPtr<Graphics> g)
{
    if (anim == nullptr) {
        java::lang::System::out()->println(_VM_literal("Virtual bullet drawing"));
        return;
    }
    drawPicture(g);
}

void ClsBullet::hitTest(VMPtr<ClsPlane> plane)
{
    // The part count is read again on every pass: a hit may change it.
    for (int32_t i = 0; i < plane->getNextItem(); i++) {
        if (plane->isInactive(i) || plane->isInvulnerable(i) || dead)
            continue;
        VMPtr<IntArray> rect = ownHitRect();
        plane->getItemBoxInto(i, 0, rect);
        int32_t px = x >> SUBPIXEL_SHIFT;
        int32_t py = y >> SUBPIXEL_SHIFT;
        if ((*rect)[0] < px && px < (*rect)[0] + (*rect)[2] && (*rect)[1] < py &&
            py < (*rect)[1] + (*rect)[3]) {
            dead = true;
            plane->damage(i, damage);
            plane->onPartHit(i);
        }
    }
}

void ClsBullet::setDead(bool value)
{
    dead = value;
}

VMPtr<tq::AnimPlayer> ClsBullet::getAnimPlayer()
{
    return anim;
}

VMPtr<ClsBullet::IntArray> ClsBullet::getHitRect()
{
    return hitRect;
}

VMPtr<ClsBullet::IntArray> ClsBullet::ownHitRect()
{
    if (hitRect == nullptr)
        hitRect = IntArray::newArray(5);
    return hitRect;
}

void ClsBullet::collide(VMPtr<ClsPlane> plane)
{
    for (int32_t i = 0; i < plane->getNextItem(); i++) {
        if (plane->isInactive(i) || plane->isInvulnerable(i))
            continue;
        VMPtr<IntArray> rect = ownHitRect();
        plane->getItemBoxInto(i, 0, rect);
        VMPtr<IntArray> own = box;
        int32_t n = anim->getCollisionRects(own, 0);
        (*own)[0] += x >> SUBPIXEL_SHIFT;
        (*own)[1] += y >> SUBPIXEL_SHIFT;
        if (overlaps(rect, own) && n > 0) {
            dead = true;
            plane->damage(i, damage);
            plane->onPartHit(i);
        }
    }
}

int32_t ClsBullet::stepFor(int32_t speed)
{
    return STEP_SCALE / (speed < 1 ? 1 : speed);
}

bool ClsBullet::isOnScreen()
{
    int32_t px = x >> SUBPIXEL_SHIFT;
    int32_t py = y >> SUBPIXEL_SHIFT;
    return 0 <= py && py <= SCREEN_HEIGHT && 0 <= px && px <= SCREEN_WIDTH;
}

void ClsBullet::drawPicture(VMPtr<Graphics> g)
{
    anim->paint(g, x >> SUBPIXEL_SHIFT, y >> SUBPIXEL_SHIFT, 0);
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsBullet,
                             "scene.mainGame.weapon.ClsBullet", "ui.MyObject",
                             "..\\src\\scene_mainGame_weapon_ClsBullet", nullptr);

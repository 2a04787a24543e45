#include "scene/mainGame/weapon/ClsExplo.h"

namespace scene::mainGame::weapon {

VMPtr<ClsExplo> ClsExplo::init()
{
    initItems();
    return VMPtr<ClsExplo>(this);
}

void ClsExplo::update()
{
    if (isStopped() != 0 || !paintables)
        return;
    int32_t dt = frameTime;
    int32_t items = nextItem < paintables->length ? nextItem : paintables->length;
    for (int32_t i = 0; i < items; i++) {
        if (paintables->get(i) == nullptr)
            continue;
        VMPtr<IntArray> frames = seqFrames->get(i);
        int32_t s = (*seqIndex)[i];
        if (frames != nullptr && s >= 0 && s < frames->length) {
            stepItem(i, dt);
            continue;
        }
        VMPtr<tq::AnimPlayer> player = players->get(i);
        if (player == nullptr)
            continue;
        player->update(dt);
        if (player->getLoopsLeft() == 0) {
            // A finished explosion frees its slot.
            (*frame)[i] = FREE_ANIMATION;
            player->setAnimation(FREE_ANIMATION);
        }
    }
}

void ClsExplo::explode(int32_t animation, int32_t x, int32_t y)
{
    for (int32_t i = 0; i < POOL_SIZE && i < nextItem; i++) {
        if (getItemFrame(i) == FREE_ANIMATION) {
            setItemPosition(i, x, y);
            setItemFrame(i, animation);
            return;
        }
    }
}

void ClsExplo::setupItems()
{
    allocItems(POOL_SIZE);
    for (int32_t i = 0; i < POOL_SIZE; i++)
        addAnimItem(GOB_SET, ANIM_SET, FREE_ANIMATION, 0, 0);
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS(scene::mainGame::weapon::ClsExplo, "scene.mainGame.weapon.ClsExplo", "ui.Screen",
                  "..\\src\\scene_mainGame_weapon_ClsExplo", nullptr);

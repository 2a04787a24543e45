#include "scene/mainGame/boss/ClsBoss_4.h"

#include "scene/mainGame/boss/BossParts.h"

namespace scene::mainGame::boss {

namespace {

// Parts (numbered 1 to 7 within the segment) that fire in each pattern.
constexpr int32_t bit(int32_t n)
{
    return 1 << n;
}
constexpr int32_t kFiringParts[ClsBoss_4::PATTERNS] = {
    bit(1) | bit(4) | bit(7),
    bit(1) | bit(3) | bit(5) | bit(7),
    bit(2) | bit(4) | bit(6),
    bit(4),
    bit(1) | bit(7),
};
// Frame of the head of each segment, alive and fallen; the box kind its
// parts hang on.
constexpr int32_t kHeadFrame[ClsBoss_4::SEGMENTS] = {0, 1, 1, 2};
constexpr int32_t kHeadWreck[ClsBoss_4::SEGMENTS] = {8, 10, 10, 12};
constexpr int32_t kPartKind[ClsBoss_4::SEGMENTS] = {1, 2, 2, 3};
constexpr int32_t kPartHp[ClsBoss_4::SEGMENTS] = {715, 715, 1429, 1429};
constexpr int32_t kHangKind = 15;
constexpr int32_t kPartFrame = 5;
constexpr int32_t kPartWreck = 6;
constexpr int32_t kSegmentWreck = 13;
constexpr int32_t kHeadSpeed = 3;
constexpr int32_t kTopX = 120;
constexpr int32_t kOffScreen = -320;

} // namespace

VMPtr<ClsBoss_4> ClsBoss_4::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    patternTimer = PATTERN_TIME;
    segment = bossLevel;
    parent = IntArray::newArray(PARTS);
    for (int32_t s = 0; s < SEGMENTS; s++)
        segmentHead[s] = -1;
    phaseCount = PATTERNS;
    hideAllParts();
    return VMPtr<ClsBoss_4>(this);
}

void ClsBoss_4::start()
{
    if (level >= 1 && level <= SEGMENTS) {
        buildFirstSegment();
        for (int32_t s = 1; s < level; s++)
            buildSegment(s);
    }
    parts::fillHitPoints(this);
}

void ClsBoss_4::buildFirstSegment()
{
    (*target)[0] = kTopX;
    (*target)[1] = 0;
    int32_t h = nextItem;
    segmentHead[0] = h;
    addAnimItem(GOBS, ANIMS, kHeadFrame[0], kTopX, kOffScreen);
    addElement(0, kTopX, -getItemSize1(h));
    (*speed)[h] = kHeadSpeed;
    (*inactive)[h] = false;
    (*invulnerable)[h] = true;
    attachParts(kPartKind[0], h);
    parts::setHitPoints(this, h + 1, nextItem - 1, kPartHp[0]);
}

void ClsBoss_4::buildSegment(int32_t s)
{
    int32_t first = segmentHead[0];
    (*y)[first] = s == 1 ? (*y)[first] * 2 : int32_t((*y)[first] * 1.5);
    int32_t above = segmentHead[s - 1];
    // Where the head hangs: the point of kind 15 of the head above, or
    // right on that head when its frame has none.
    int32_t hangX = (*x)[above];
    int32_t hangY = (*y)[above];
    int32_t offset = 0;
    VMPtr<IntArray> points = IntArray::newArray(parts::POINT_BUFFER);
    if (parts::readPoints(this, above, kHangKind, 1, points) > 0) {
        VMPtr<IntArray> box = getItemBox(above, kHangKind);
        hangX = (*box)[0];
        hangY = (*box)[1];
        offset = hangY;
    }
    if (nextItem >= capacity)
        return;
    int32_t h = nextItem;
    segmentHead[s] = h;
    addAnimItem(GOBS, ANIMS, kHeadFrame[s], kTopX, kOffScreen);
    addElement(0, hangX, hangY);
    (*parent)[h] = above;
    (*offsetY)[h] = offset;
    (*speed)[h] = kHeadSpeed;
    (*inactive)[h] = false;
    (*invulnerable)[h] = true;
    attachParts(kPartKind[s], h);
    parts::setHitPoints(this, h + 1, nextItem - 1, kPartHp[s]);
}

void ClsBoss_4::attachParts(int32_t boxKind, int32_t head)
{
    int32_t s = segmentOf(head);
    aliveOf(s) += parts::hangParts(this, parent, GOBS, ANIMS, kPartFrame, head, boxKind,
                                   PARTS_PER_SEGMENT, parts::Group::Kept);
}

void ClsBoss_4::update()
{
    // Nothing before start has laid the parts out.
    if (isStopped() || nextItem == 0)
        return;
    if (state == 1 && parts::countDown(patternTimer, PATTERN_TIME))
        selectPattern(phase + 1);
    enter();
    parts::stepItems(this, [this](int32_t i) { partStep(i); }, [this](int32_t) { checkSegment(); });
}

void ClsBoss_4::enter()
{
    if (state != 0 || segmentHead[0] < 0)
        return;
    parts::bringOn(this, parent, segmentHead[0]);
    if (segment > 0 && segment <= SEGMENTS && segmentHead[segment - 1] >= 0 &&
        (*target)[1] < (*y)[segmentHead[segment - 1]]) {
        segment -= 1;
        state = 1;
        for (int32_t i = 0; i < nextItem; i++)
            (*invulnerable)[i] = false;
    }
}

void ClsBoss_4::partStep(int32_t i)
{
    if ((*kind)[i] != 1)
        return;
    parts::follow(this, parent, i);
    if (!parts::shotDue(this, i))
        return;
    if (segment < 0 || segment >= SEGMENTS || (*parent)[i] != segmentHead[segment])
        return;
    int32_t n = i - segmentHead[segment];
    if (phase < 0 || phase >= PATTERNS || !(kFiringParts[phase] & bit(n)))
        return;
    int32_t px = (*x)[i];
    int32_t py = (*y)[i];
    switch (phase) {
    case 0: bulletFactory->fireDirectional(1, 20, px, py, 2, false, false); break;
    case 1:
    case 2: bulletFactory->fireEightWay(1, px, py); break;
    case 3: bulletFactory->fireDirectional(1, 20, px, py, 5, false, true); break;
    case 4: bulletFactory->fireRingDefault(6, px, py); break;
    default: break;
    }
}

void ClsBoss_4::selectPattern(int32_t p)
{
    phase = parts::choosePattern(p, PATTERNS - 1, PATTERNS - 1,
                                 [this](int32_t q) { return !anyAlive(kFiringParts[q]); });
}

bool ClsBoss_4::anyAlive(int32_t numberMask)
{
    if (segment < 0 || segment >= SEGMENTS || segmentHead[segment] < 0)
        return false;
    int32_t h = segmentHead[segment];
    for (int32_t n = 1; n <= PARTS_PER_SEGMENT; n++) {
        int32_t i = h + n;
        if ((numberMask & bit(n)) && parts::alive(this, i) && (*parent)[i] == h &&
            (*kind)[i] == 1)
            return true;
    }
    return false;
}

void ClsBoss_4::damage(int32_t i, int32_t amount)
{
    if (segment < 0 || segment >= SEGMENTS || (*kind)[i] != 1 ||
        (*parent)[i] != segmentHead[segment])
        return;
    (*hp)[i] -= amount;
    bossHp -= amount;
}

void ClsBoss_4::onPartHit(int32_t i)
{
    if ((*kind)[i] != 1)
        return;
    if ((*hp)[i] <= 0) {
        if ((*inactive)[i])
            return;
        parts::partFalls(this, i, kPartWreck);
        int32_t s = segmentOf((*parent)[i]);
        if (s >= 0)
            aliveOf(s) -= 1;
    } else {
        parts::endFlash(this, i);
    }
}

void ClsBoss_4::checkSegment()
{
    int32_t k = segment;
    if (k < 0 || k >= SEGMENTS || segmentHead[k] < 0 || aliveOf(k) > 0)
        return;
    if (k == 0)
        parts::defeat(this);
    int32_t h = segmentHead[k];
    if ((*inactive)[h])
        return;
    (*inactive)[h] = true;
    parts::pieceFalls(this, h, 6);
    setItemFrame(h, kHeadWreck[k]);
    (*invulnerable)[h] = true;
    for (int32_t i = h + 1; i < nextItem && i <= h + PARTS_PER_SEGMENT; i++) {
        if ((*parent)[i] == h && (*kind)[i] == 1) {
            setItemFrame(i, kSegmentWreck);
            (*invulnerable)[i] = true;
        }
    }
    state = 0;
}

int32_t ClsBoss_4::segmentOf(int32_t parentIndex)
{
    for (int32_t s = 0; s < SEGMENTS; s++) {
        if (segmentHead[s] >= 0 && segmentHead[s] == parentIndex)
            return s;
    }
    return -1;
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_4, "scene.mainGame.boss.ClsBoss_4",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_4", nullptr);

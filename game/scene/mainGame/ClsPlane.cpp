#include "scene/mainGame/ClsPlane.h"

#include "scene/ClsMyMath.h"

namespace scene::mainGame {

namespace {

void initialisePlane()
{
    ClsPlane::followDistance = 48;
}

} // namespace

VMPtr<ClsPlane> ClsPlane::init(VMPtr<weapon::ClsBcreator> factory)
{
    initItems();
    VMPtr<IntArray> rect = IntArray::newArray(4);
    (*rect)[2] = AREA_WIDTH;
    (*rect)[3] = AREA_HEIGHT;
    area = rect;
    bulletFactory = factory;
    state = 0;
    return VMPtr<ClsPlane>(this);
}

void ClsPlane::clearItems()
{
    Screen::clearItems();
}

void ClsPlane::removeItem(int32_t i)
{
    Screen::removeItem(i);
    (*hp)[i] = 0;
    (*shotInterval)[i] = 0;
    (*speed)[i] = 0;
    (*kind)[i] = 0;
    (*x)[i] = 0;
    (*y)[i] = 0;
    (*vx)[i] = 0;
    (*vy)[i] = 0;
    (*distance)[i] = 0;
    (*inactive)[i] = true;
}

void ClsPlane::setItemPlayerFrame(int32_t i, int32_t f)
{
    Screen::setItemPlayerFrame(i, f);
    (*elementFrame)[i] = f;
}

void ClsPlane::setItemFrame(int32_t i, int32_t f)
{
    Screen::setItemFrame(i, f);
    (*elementFrame)[i] = f;
}

void ClsPlane::allocItems(int32_t n)
{
    Screen::allocItems(n);
    x = IntArray::newArray(n);
    spare = IntArray::newArray(n);
    kind = IntArray::newArray(n);
    shotClock = IntArray::newArray(n);
    y = IntArray::newArray(n);
    invulnerable = BoolArray::newArray(n);
    timerActive = BoolArray::newArray(n);
    prevX = IntArray::newArray(n);
    prevY = IntArray::newArray(n);
    speed = IntArray::newArray(n);
    elementFrame = IntArray::newArray(n);
    shotInterval = IntArray::newArray(n);
    inactive = BoolArray::newArray(n);
    vx = IntArray::newArray(n);
    timerElapsed = IntArray::newArray(n);
    vy = IntArray::newArray(n);
    targetX = IntArray::newArray(n);
    targetY = IntArray::newArray(n);
    distance = IntArray::newArray(n);
    hp = IntArray::newArray(n);
    for (int32_t i = 0; i < n; i++)
        setItemClip(i, area);
}

// ---- Timer ----

void ClsPlane::startTimer(int32_t i)
{
    if ((*timerActive)[i])
        return;
    (*timerElapsed)[i] = 0;
    (*timerActive)[i] = true;
}

bool ClsPlane::isTimerExpired(int32_t i, int32_t limit, bool stop)
{
    if (!(*timerActive)[i])
        return false;
    (*timerElapsed)[i] += frameTime;
    if ((*timerElapsed)[i] > limit) {
        if (stop)
            (*timerActive)[i] = false;
        return true;
    }
    return false;
}

// ---- Elements ----

void ClsPlane::addElement(int32_t elementKind, int32_t ex, int32_t ey)
{
    int32_t e = nextItem - 1;
    (*kind)[e] = elementKind;
    (*x)[e] = ex;
    (*y)[e] = ey;
    (*prevX)[e] = ex;
    (*targetX)[e] = ex;
    (*prevY)[e] = ey;
    (*targetY)[e] = ey;
    (*inactive)[e] = true;
    setItemClip(e, area);
}

void ClsPlane::setShotInterval(int32_t i, int32_t ms)
{
    (*shotInterval)[i] = ms;
}

int32_t ClsPlane::getX(int32_t i)
{
    return (*x)[i];
}

int32_t ClsPlane::getY(int32_t i)
{
    return (*y)[i];
}

int32_t ClsPlane::distanceBetween(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    return ClsMyMath::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

void ClsPlane::damage(int32_t i, int32_t amount)
{
    (*hp)[i] -= amount;
}

bool ClsPlane::isInactive(int32_t i)
{
    return (*inactive)[i];
}

int32_t ClsPlane::getState()
{
    return state;
}

void ClsPlane::setState(int32_t s)
{
    state = s;
}

bool ClsPlane::isInvulnerable(int32_t i)
{
    return (*invulnerable)[i];
}

void ClsPlane::setInvulnerable(int32_t i, bool b)
{
    (*invulnerable)[i] = b;
}

void ClsPlane::setHp(int32_t i, int32_t value)
{
    (*hp)[i] = value;
}

int32_t ClsPlane::getHp(int32_t i)
{
    return (*hp)[i];
}

void ClsPlane::onPartHit(int32_t) {}

// ---- Movement ----

void ClsPlane::setTarget(int32_t i, int32_t tx, int32_t ty)
{
    bool changedX = tx - (*x)[i] != (*targetX)[i] - (*prevX)[i];
    if (changedX) {
        (*prevX)[i] = (*x)[i];
        (*targetX)[i] = tx;
    }
    bool changedY = ty - (*y)[i] != (*targetY)[i] - (*prevY)[i];
    if (changedY) {
        (*prevY)[i] = (*y)[i];
        (*targetY)[i] = ty;
    }
    if (!changedX && !changedY)
        return;
    int32_t dx = tx - (*x)[i];
    int32_t dy = ty - (*y)[i];
    int32_t d = ClsMyMath::sqrt(dx * dx + dy * dy);
    (*distance)[i] = d;
    if (d == 0) {
        (*vx)[i] = 0;
        (*vy)[i] = 0;
        return;
    }
    int32_t step = frameTime * (*speed)[i];
    (*vx)[i] = (step * dx / d) >> 5;
    (*vy)[i] = (step * dy / d) >> 5;
}

void ClsPlane::moveTowards(int32_t i, int32_t tx, int32_t ty)
{
    int32_t dx = tx - (*x)[i];
    int32_t dy = ty - (*y)[i];
    int32_t d = ClsMyMath::sqrt(dx * dx + dy * dy);
    (*distance)[i] = d;
    if (d > 0) {
        int32_t step = frameTime * (*speed)[i];
        (*vx)[i] = step * dx / d;
        (*vy)[i] = step * dy / d;
    }
    (*x)[i] += (*vx)[i] >> 5;
    (*y)[i] += (*vy)[i] >> 5;
}

void ClsPlane::placeBehind(int32_t i, int32_t j)
{
    (*x)[i] = (*x)[j];
    (*y)[i] = (*y)[j];
    (*vx)[i] = (*vx)[j];
    (*vy)[i] = (*vy)[j];
    (*targetX)[i] = (*x)[j];
    (*targetY)[i] = (*y)[j];
    // A leader without a course never gets far enough ahead: the follower
    // then stays where the steps have taken it.
    for (int32_t steps = 0; steps < MAX_FOLLOW_STEPS; steps++) {
        (*x)[i] -= (*vx)[i];
        (*y)[i] -= (*vy)[i];
        int32_t dx = (*x)[j] - (*x)[i];
        int32_t dy = (*y)[j] - (*y)[i];
        (*distance)[i] = ClsMyMath::sqrt(dx * dx + dy * dy);
        if ((*distance)[i] >= followDistance)
            break;
    }
    (*prevX)[i] = (*x)[i];
    (*prevY)[i] = (*y)[i];
    setItemPosition(i, (*x)[i], (*y)[i]);
}

// ---- Animation ----

void ClsPlane::animateElement(int32_t i)
{
    stepItem(i, frameTime);
}

} // namespace scene::mainGame

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::ClsPlane, "scene.mainGame.ClsPlane", "ui.Screen",
                             "..\\src\\scene_mainGame_ClsPlane", &scene::mainGame::initialisePlane);

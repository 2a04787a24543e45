#pragma once
// What the player's shots share: their speed and damage from the weapon
// table and the player, the targets they test this frame, and the shot
// timer of the bomb, the homing missile and the laser.

#include <cstdint>

#include "scene/mainGame/ClsPlane.h"
#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon::plyshot {

// The speed value of the selected weapon at its level (table column 3).
int32_t speed();
// The shot damage of player element `part`.
int32_t damageOf(int32_t part);
// The weapon level, from 1.
int32_t level();
// The enemy manager while it has enemies alive, else null.
VMPtr<ClsPlane> enemies();
// The stage's boss while it can be hit (and, unless anyPlay, only in a real
// play scene), else null.
VMPtr<ClsPlane> boss(bool anyPlay = false);

// Removes a dead shot from the player-bullet list; true then.
bool removeIfDead(ClsBullet& shot, int32_t index);
// Moves the shot by its speeds; false (and the shot dead) once off screen.
bool flyStraight(ClsBullet& shot);
// Runs the shot's test (hitTest or collide) against the enemies and then
// the boss, each only while it can be hit.
void strike(ClsBullet& shot, void (ClsBullet::*test)(VMPtr<ClsPlane>), bool anyPlay = false);

// Adds the frame time while the timer runs; true once above limit, and
// then stopped when reset is set.
bool timerElapsed(int32_t& timer, bool& timerOn, int32_t limit, bool reset);
// From 0, unless it runs.
void startTimer(int32_t& timer, bool& timerOn);

} // namespace scene::mainGame::weapon::plyshot

#include "generated/RP.h"

namespace generated {

// The identifiers the game's code names are fixed; a manifest that moves one
// fails the build here.
static_assert(RP::BACKING_ANIMS == 1024);
static_assert(RP::ANIM_DIFFICULTY_STAR == 1025);
static_assert(RP::GAME_NAME_ANIMS == 1026);
static_assert(RP::ICON_ANIMS == 1027);
static_assert(RP::ANIM_MENU_PAGE == 1028);
static_assert(RP::BANNER_ANIMS == 1030);
static_assert(RP::TITLE_SPLASH_ANIMS == 1035);
static_assert(RP::BACKDROP_ANIMS == 1037);
static_assert(RP::ANIM_UI_BUTTON == 1039);
static_assert(RP::BACKING == 1041);
static_assert(RP::DIFFICULTY_STAR == 1042);
static_assert(RP::GAME_NAME == 1043);
static_assert(RP::LOADING == 1045);
static_assert(RP::ICONS == 1046);
static_assert(RP::MENU_PAGE == 1047);
static_assert(RP::BANNER == 1049);
static_assert(RP::TITLE_SPLASH == 1055);
static_assert(RP::BACKDROP == 1057);
static_assert(RP::UI_BUTTON == 1059);
static_assert(RP::MENU_MUSIC == 1081);
static_assert(RP::FONT_BODY == 2049);
static_assert(RP::FONT_LABEL == 2050);
static_assert(RP::TEXTS == 2054);
static_assert(RP::LOGO_ANIMS == 3072);
static_assert(RP::LOGO == 3073);
static_assert(RP::PLAYER_ANIMS == 4096);
static_assert(RP::PLAYER_POD_1_ANIMS == 4097);
static_assert(RP::PLAYER_POD_2_ANIMS == 4098);
static_assert(RP::PLAYER_POD_3_ANIMS == 4099);
static_assert(RP::PLAYER_BOMB_DOWN_ANIMS == 4100);
static_assert(RP::PLAYER_BOMB_LEFT_ANIMS == 4101);
static_assert(RP::PLAYER_BOMB_RIGHT_ANIMS == 4102);
static_assert(RP::PLAYER_BOMB_UP_ANIMS == 4103);
static_assert(RP::PLAYER_SHOTS_ANIMS == 4104);
static_assert(RP::PLAYER_LASER_DOWN_ANIMS == 4105);
static_assert(RP::PLAYER_LASER_LEFT_ANIMS == 4106);
static_assert(RP::PLAYER_LASER_RIGHT_ANIMS == 4107);
static_assert(RP::PLAYER_LASER_UP_ANIMS == 4108);
static_assert(RP::PLAYER == 4109);
static_assert(RP::PLAYER_BOMB == 4110);
static_assert(RP::PLAYER_SHOTS == 4111);
static_assert(RP::PLAYER_LASER_HORIZONTAL == 4112);
static_assert(RP::PLAYER_LASER_VERTICAL == 4113);
static_assert(RP::ENEMY_ANIMS == 5120);
static_assert(RP::ENEMY_BULLET_ANIMS == 5121);
static_assert(RP::EXPLOSION_ANIMS == 5122);
static_assert(RP::ENEMY == 5123);
static_assert(RP::ENEMY_BULLET == 5124);
static_assert(RP::EXPLOSION == 5125);
static_assert(RP::BOSS1_ANIMS == 6144);
static_assert(RP::ANIM_BOSS02 == 6145);
static_assert(RP::BOSS3_ANIMS == 6146);
static_assert(RP::BOSS4_ANIMS == 6147);
static_assert(RP::BOSS5_ANIMS == 6148);
static_assert(RP::BOSS6_ANIMS == 6149);
static_assert(RP::BOSS7_ANIMS == 6150);
static_assert(RP::BOSS8_ANIMS == 6151);
static_assert(RP::ANIM_BOSS_HP == 6152);
static_assert(RP::STAGE_1_ANIMS == 6153);
static_assert(RP::BOSS1 == 6161);
static_assert(RP::BOSS02 == 6162);
static_assert(RP::BOSS3 == 6163);
static_assert(RP::BOSS4 == 6164);
static_assert(RP::BOSS5 == 6165);
static_assert(RP::BOSS6 == 6166);
static_assert(RP::BOSS7 == 6167);
static_assert(RP::BOSS8 == 6168);
static_assert(RP::BOSS_HP == 6169);
static_assert(RP::STAGE_1 == 6170);
static_assert(RP::THEME_BIG_ANIMS == 7168);
static_assert(RP::THEME_SMALL_ANIMS == 7169);
static_assert(RP::THEME_PAIR_ANIMS == 7170);
static_assert(RP::THEME_BIG == 7171);
static_assert(RP::THEME_SMALL == 7172);
static_assert(RP::THEME_PAIR == 7173);

} // namespace generated

VM_REGISTER_INTERFACE(generated::RP, "generated.RP",
                      "..\\src\\generated_RP", nullptr);

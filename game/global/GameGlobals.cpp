#include "global/GameGlobals.h"

namespace global {

namespace {

constexpr int32_t kWeapons = 5;
constexpr int32_t kLevels = 3;
constexpr int32_t kFigures = 4;
constexpr int32_t kItems = 8;
constexpr int32_t kSteps = 3;
constexpr int32_t kSpawnPoints = 8;

constexpr int32_t kWeaponStats[kWeapons][kLevels][kFigures] = {
    {{30, 140, 1, 40}, {30, 110, 2, 40}, {30, 90, 3, 40}},
    {{40, 60, 1, 60}, {50, 60, 2, 60}, {60, 60, 3, 60}},
    {{80, 500, 3, 80}, {90, 500, 4, 75}, {95, 500, 5, 70}},
    {{15, 200, 1, 1}, {20, 180, 1, 1}, {35, 140, 1, 1}},
    {{180, 1000, 1, 100}, {200, 1000, 1, 95}, {220, 1000, 1, 90}},
};

constexpr int32_t kItemPrices[kItems][kSteps] = {
    {2000, 9000, 19000}, {3000, 10000, 20000}, {5000, 12000, 50000}, {7000, 15000, 45000},
    {7000, 15000, 45000}, {6000, 13000, 30000}, {6000, 13000, 30000}, {5000, 12000, 25000},
};

constexpr int32_t kWeaponPrices[kWeapons][kSteps] = {
    {5000, 10000, 32000}, {5000, 15000, 38000}, {10000, 20000, 60000},
    {9000, 19000, 48000}, {12000, 22000, 60000},
};

// A table of new rows holding the values, row by row.
template<int32_t R, int32_t C>
VMPtr<GameGlobals::IntTable> tableOf(const int32_t (&values)[R][C])
{
    VMPtr<GameGlobals::IntTable> table = GameGlobals::IntTable::newArray(R);
    for (int32_t r = 0; r < R; r++) {
        VMPtr<GameGlobals::IntArray> row = GameGlobals::IntArray::newArray(C);
        for (int32_t c = 0; c < C; c++)
            (*row)[c] = values[r][c];
        table->set(r, row);
    }
    return table;
}

void initialiseGameGlobals()
{
    GameGlobals::spawnPoints = GameGlobals::IntTable::newArray({kSpawnPoints, 2});
    GameGlobals::weaponStats = GameGlobals::IntTables::newArray(kWeapons);
    for (int32_t w = 0; w < kWeapons; w++)
        GameGlobals::weaponStats->set(w, tableOf(kWeaponStats[w]));
    GameGlobals::itemPrices = tableOf(kItemPrices);
    GameGlobals::weaponPrices = tableOf(kWeaponPrices);
}

} // namespace

VMPtr<GameGlobals> GameGlobals::init()
{
    Object::init();
    spawnMargin = 72;
    const int32_t m = spawnMargin;
    const int32_t points[kSpawnPoints][2] = {
        {m, -m},         {WIDTH - m, -m},         {m, HEIGHT + m},     {WIDTH - m, HEIGHT + m},
        {-m, m},         {WIDTH + m, m},          {-m, HEIGHT - m},    {WIDTH + m, HEIGHT - m},
    };
    VMPtr<IntTable> fresh = tableOf(points);
    for (int32_t p = 0; p < kSpawnPoints; p++) {
        VMPtr<IntArray> from = fresh->get(p);
        VMPtr<IntArray> to = spawnPoints->get(p);
        for (int32_t i = 0; i < 2; i++)
            (*to)[i] = (*from)[i];
    }
    return VMPtr<GameGlobals>(this);
}

} // namespace global

VM_REGISTER_CLASS(global::GameGlobals, "global.GameGlobals", "java.lang.Object",
                  "..\\src\\global_GameGlobals", &global::initialiseGameGlobals);

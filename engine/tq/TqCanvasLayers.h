#pragma once
// tq.TqCanvasLayers: the canvas's three scene layers in world pixels, painted
// in order into a window of the world: a tile map (cells of a tile sheet,
// 0 empty, n > 0 static tile n, n < 0 animated tile -n), scenery (many
// placed Gobs, indexed by their left or top edge along the map's long axis
// so that a paint looks only at candidates near the window) and sprites
// (placed Gobs painted in order). The canvas holds one and forwards to it.
//
// No argument checks: cells outside the map, tiles without a source entry,
// full lists and windows past the map raise the arrays' index exceptions.
// Scenery sort keys are (edge << 16) | index; they are sorted on the first
// paint after initScenery only.

#include <cstdint>

#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/Gob.h"
#include "vm/VMArray.h"

namespace tq {

class TqCanvasLayers : public virtual java::lang::Object {
    VM_CLASS(TqCanvasLayers, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using ShortArray = VMArray<int16_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using GobArray = VMArray<Gob, 1>;
    using Graphics = javax::microedition::lcdui::Graphics;
    using Image = javax::microedition::lcdui::Image;

    VMPtr<TqCanvasLayers> init() { return VMPtr<TqCanvasLayers>(this); }

    // ---- Tile map ----
    // An empty map with no animated tiles.
    void createTileMap(int32_t columns, int32_t rows, VMPtr<Image> tiles, int32_t tileWidth,
                       int32_t tileHeight);
    // Cuts the sheet into tiles row by row. A sheet of fewer tiles than the
    // previous one empties every cell and forgets the animated tiles: true.
    bool setTileSet(VMPtr<Image> tiles, int32_t tileWidth, int32_t tileHeight);
    int32_t getColumns() const { return columns; }
    int32_t getRows() const { return rows; }
    int32_t getTileWidth() const { return tileWidth; }
    int32_t getTileHeight() const { return tileHeight; }
    void setCell(int32_t col, int32_t row, int32_t tile);
    int32_t getCell(int32_t col, int32_t row);
    void fillCells(int32_t col, int32_t row, int32_t numCols, int32_t numRows, int32_t tile);
    // The new animated tile's number: -1 for the first.
    int32_t createAnimatedTile(int32_t staticTile);
    void setAnimatedTile(int32_t animatedTile, int32_t staticTile);
    int32_t getAnimatedTile(int32_t animatedTile);

    // ---- Scenery and sprites ----
    // Empties the list; capacity > 0 makes room. The index runs along y when
    // the map is taller than wide.
    void initScenery(int32_t capacity);
    void addScenery(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform);
    void initSprites(int32_t capacity);
    void addSprite(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform);

    // ---- Painting ----
    // Drops the cells, animated tiles, tile sources and sheet.
    void releaseTileMap();
    // The layers into the scene area of g (sceneWidth x sceneHeight, showing
    // the world from originX, originY), the map never showing outside
    // itself when the scene fits inside it.
    void paintScene(VMPtr<Graphics> g, int32_t originX, int32_t originY, int32_t sceneWidth,
                    int32_t sceneHeight);
    // Each layer's world rectangle (worldX, worldY, width, height) drawn at
    // (screenX, screenY) of the scene Graphics.
    void paintLayers(int32_t worldX, int32_t worldY, int32_t screenX, int32_t screenY,
                     int32_t width, int32_t height);
    void paintTileMap(int32_t worldX, int32_t worldY, int32_t screenX, int32_t screenY,
                      int32_t width, int32_t height);
    void paintScenery(int32_t worldX, int32_t worldY, int32_t screenX, int32_t screenY,
                      int32_t width, int32_t height);
    void paintSprites(int32_t worldX, int32_t worldY, int32_t screenX, int32_t screenY,
                      int32_t width, int32_t height);

    // ---- Int arrays and rectangles ----
    // Comb sort of a[0..n-1], the gap shrinking by 197/256 a pass.
    static void sortInts(VMPtr<IntArray> a, int32_t n);
    // Index of value in the sorted a[0..last], else where it would go.
    static int32_t binarySearchInts(VMPtr<IntArray> a, int32_t last, int32_t value);
    // Half-open boxes: touching edges do not intersect.
    static bool rectanglesIntersect(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2,
                                    int32_t y2, int32_t w2, int32_t h2);

    // Tile map.
    int32_t columns = 0;
    int32_t rows = 0;
    VMField<ShortArray> cells;
    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
    VMField<Image> tileImage;
    VMField<IntArray> tileSourceX;
    VMField<IntArray> tileSourceY;
    VMField<IntArray> animatedTiles;
    // Scenery.
    VMField<GobArray> sceneryGobs;
    VMField<ShortArray> sceneryX;
    VMField<ShortArray> sceneryY;
    VMField<ByteArray> sceneryTransforms;
    VMField<IntArray> sceneryKeys;
    int32_t sceneryCount = 0;
    int32_t longestExtent = 0;
    bool vertical = false;
    bool unsorted = false;
    VMField<IntArray> visible;
    // Sprites.
    VMField<GobArray> spriteGobs;
    VMField<ShortArray> spriteX;
    VMField<ShortArray> spriteY;
    VMField<ByteArray> spriteTransforms;
    int32_t spriteCount = 0;
    // The Graphics painted on during paintScene.
    VMField<Graphics> sceneGraphics;

    VM_FIELDS(cells, tileImage, tileSourceX, tileSourceY, animatedTiles, sceneryGobs, sceneryX,
              sceneryY, sceneryTransforms, sceneryKeys, visible, spriteGobs, spriteX, spriteY,
              spriteTransforms, sceneGraphics)
};

} // namespace tq

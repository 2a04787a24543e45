#include "tq/TqCanvasLayers.h"

#include <algorithm>

#include "java/lang/NullPointerException.h"
#include "vm/JavaMath.h"

VM_REGISTER_CLASS(tq::TqCanvasLayers, "tq.TqCanvasLayers", "java.lang.Object",
                  "..\\src\\tq_TqCanvasLayers", nullptr);

namespace tq {

using javax::microedition::lcdui::Graphics;

namespace {

// Holds the clip of g for the length of a block.
class SavedClip {
public:
    explicit SavedClip(const VMPtr<Graphics>& graphics)
        : g(graphics), x(g->getClipX()), y(g->getClipY()), w(g->getClipWidth()),
          h(g->getClipHeight())
    {
    }
    ~SavedClip() { g->setClip(x, y, w, h); }

private:
    VMPtr<Graphics> g;
    int32_t x, y, w, h;
};

// Whether the drawn box of a placement (its size swapped with the axes)
// meets the world rectangle.
bool meets(Gob* gob, int32_t x, int32_t y, int32_t transform, int32_t worldX, int32_t worldY,
           int32_t width, int32_t height)
{
    return TqCanvasLayers::rectanglesIntersect(x + gob->getX(transform), y + gob->getY(transform),
                                               gob->getWidth(transform), gob->getHeight(transform),
                                               worldX, worldY, width, height);
}

// One line of tiles along an axis: the first tile partial when the window
// starts inside it, whole tiles, then the rest. Calls draw(cell step, inner
// offset, screen offset, size) for each.
template<class Draw>
void tileRun(int32_t inner, int32_t tile, int32_t total, Draw&& draw)
{
    int32_t step = 0;
    int32_t at = 0;
    int32_t remaining = total;
    if (inner != 0) {
        int32_t size = std::min(tile - inner, remaining);
        if (size > 0)
            draw(step, inner, at, size);
        step++;
        at += size;
        remaining -= size;
    }
    while (remaining >= tile && tile > 0) {
        draw(step++, 0, at, tile);
        at += tile;
        remaining -= tile;
    }
    if (remaining > 0)
        draw(step, 0, at, remaining);
}

} // namespace

// ---- Tile map ----

void TqCanvasLayers::createTileMap(int32_t numColumns, int32_t numRows, VMPtr<Image> tiles,
                                   int32_t width, int32_t height)
{
    columns = numColumns;
    rows = numRows;
    cells = ShortArray::newArray(numColumns * numRows);
    animatedTiles = IntArray::newArray(0);
    tileSourceX = nullptr;
    tileSourceY = nullptr;
    setTileSet(tiles, width, height);
}

bool TqCanvasLayers::setTileSet(VMPtr<Image> tiles, int32_t width, int32_t height)
{
    tileWidth = width;
    tileHeight = height;
    int32_t imageWidth = vm_nonNull(tiles)->getWidth();
    int32_t imageHeight = tiles->getHeight();
    int32_t count = vm_div(imageWidth, width) * vm_div(imageHeight, height);
    int32_t previous = tileSourceX == nullptr ? 0 : tileSourceX->length;
    bool cleared = count < previous;
    if (cleared) {
        fillCells(0, 0, columns, rows, 0);
        animatedTiles = IntArray::newArray(0);
    }
    tileImage = tiles;
    tileSourceX = IntArray::newArray(count);
    tileSourceY = IntArray::newArray(count);
    int32_t n = 0;
    for (int32_t y = 0; y <= imageHeight - height; y += height) {
        for (int32_t x = 0; x <= imageWidth - width; x += width) {
            (*tileSourceX)[n] = x;
            (*tileSourceY)[n] = y;
            n++;
        }
    }
    return cleared;
}

void TqCanvasLayers::setCell(int32_t col, int32_t row, int32_t tile)
{
    (*vm_nonNull(VMPtr<ShortArray>(cells)))[col + columns * row] = int16_t(tile);
}

int32_t TqCanvasLayers::getCell(int32_t col, int32_t row)
{
    return (*vm_nonNull(VMPtr<ShortArray>(cells)))[col + columns * row];
}

void TqCanvasLayers::fillCells(int32_t col, int32_t row, int32_t numCols, int32_t numRows,
                               int32_t tile)
{
    if (numCols <= 0 || numRows <= 0)
        return;
    for (int32_t r = row; r < row + numRows; r++) {
        for (int32_t c = col; c < col + numCols; c++)
            setCell(c, r, tile);
    }
}

int32_t TqCanvasLayers::createAnimatedTile(int32_t staticTile)
{
    VMPtr<IntArray> old(animatedTiles);
    int32_t n = vm_nonNull(old)->length;
    VMPtr<IntArray> grown = IntArray::newArray(n + 1);
    std::copy(old->elements(), old->elements() + n, grown->elements());
    (*grown)[n] = staticTile;
    animatedTiles = grown;
    return -(n + 1);
}

void TqCanvasLayers::setAnimatedTile(int32_t animatedTile, int32_t staticTile)
{
    (*vm_nonNull(VMPtr<IntArray>(animatedTiles)))[-animatedTile - 1] = staticTile;
}

int32_t TqCanvasLayers::getAnimatedTile(int32_t animatedTile)
{
    return (*vm_nonNull(VMPtr<IntArray>(animatedTiles)))[-animatedTile - 1];
}

// ---- Scenery and sprites ----

void TqCanvasLayers::initScenery(int32_t capacity)
{
    sceneryCount = 0;
    longestExtent = 0;
    unsorted = true;
    sceneryGobs = nullptr;
    sceneryX = nullptr;
    sceneryY = nullptr;
    sceneryTransforms = nullptr;
    sceneryKeys = nullptr;
    visible = nullptr;
    if (capacity <= 0)
        return;
    sceneryGobs = GobArray::newArray(capacity);
    sceneryX = ShortArray::newArray(capacity);
    sceneryY = ShortArray::newArray(capacity);
    sceneryTransforms = ByteArray::newArray(capacity);
    sceneryKeys = IntArray::newArray(capacity);
    visible = IntArray::newArray(capacity);
    vertical = rows * tileHeight > columns * tileWidth;
}

void TqCanvasLayers::addScenery(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform)
{
    int32_t i = sceneryCount;
    VMPtr<IntArray> keys(sceneryKeys);
    // The index check comes first: a full list changes nothing.
    vm_nonNull(keys)->checkIndex(i);
    int32_t edge = vertical ? y + vm_nonNull(gob)->getY(transform) : x + vm_nonNull(gob)->getX(transform);
    int32_t extent = vertical ? gob->getHeight(transform) : gob->getWidth(transform);
    sceneryGobs->set(i, gob);
    (*VMPtr<ShortArray>(sceneryX))[i] = int16_t(x);
    (*VMPtr<ShortArray>(sceneryY))[i] = int16_t(y);
    (*VMPtr<ByteArray>(sceneryTransforms))[i] = int8_t(transform);
    (*keys)[i] = i | vm_shl(edge, 16);
    longestExtent = std::max(longestExtent, extent);
    sceneryCount = i + 1;
}

void TqCanvasLayers::initSprites(int32_t capacity)
{
    spriteCount = 0;
    spriteGobs = nullptr;
    spriteX = nullptr;
    spriteY = nullptr;
    spriteTransforms = nullptr;
    if (capacity <= 0)
        return;
    spriteGobs = GobArray::newArray(capacity);
    spriteX = ShortArray::newArray(capacity);
    spriteY = ShortArray::newArray(capacity);
    spriteTransforms = ByteArray::newArray(capacity);
}

void TqCanvasLayers::addSprite(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform)
{
    int32_t i = spriteCount;
    vm_nonNull(VMPtr<GobArray>(spriteGobs))->set(i, gob);
    (*VMPtr<ShortArray>(spriteX))[i] = int16_t(x);
    (*VMPtr<ShortArray>(spriteY))[i] = int16_t(y);
    (*VMPtr<ByteArray>(spriteTransforms))[i] = int8_t(transform);
    spriteCount = i + 1;
}

// ---- Painting ----

void TqCanvasLayers::releaseTileMap()
{
    cells = nullptr;
    animatedTiles = nullptr;
    tileSourceX = nullptr;
    tileSourceY = nullptr;
    tileImage = nullptr;
}

void TqCanvasLayers::paintScene(VMPtr<Graphics> g, int32_t originX, int32_t originY,
                                int32_t sceneWidth, int32_t sceneHeight)
{
    // A window reaching past the map is moved back inside it, the drawing
    // moved with it.
    // Without a map there is nothing to stay inside.
    bool hasMap = cells && tileWidth > 0 && tileHeight > 0;
    auto shift = [hasMap](int32_t origin, int32_t scene, int32_t map) {
        if (!hasMap || origin < 0)
            return origin;
        int32_t over = origin + scene - map;
        return over > 0 ? over : 0;
    };
    int32_t shiftX = shift(originX, sceneWidth, columns * tileWidth);
    int32_t shiftY = shift(originY, sceneHeight, rows * tileHeight);
    int32_t worldX = originX - shiftX;
    int32_t worldY = originY - shiftY;
    bool shifted = shiftX != 0 || shiftY != 0;
    if (shifted)
        vm_nonNull(g)->translate(-shiftX, -shiftY);

    // The window cut to the clip.
    int32_t screenX = 0;
    int32_t screenY = 0;
    int32_t width = sceneWidth;
    int32_t height = sceneHeight;
    int32_t clipX = vm_nonNull(g)->getClipX();
    int32_t clipY = g->getClipY();
    if (clipX > 0) {
        worldX += clipX;
        screenX += clipX;
        width -= clipX;
    }
    if (screenX + width > clipX + g->getClipWidth())
        width = clipX + g->getClipWidth() - screenX;
    if (clipY > 0) {
        worldY += clipY;
        screenY += clipY;
        height -= clipY;
    }
    if (screenY + height > clipY + g->getClipHeight())
        height = clipY + g->getClipHeight() - screenY;

    if (width > 0 && height > 0) {
        sceneGraphics = g;
        paintLayers(worldX, worldY, screenX, screenY, width, height);
        sceneGraphics = nullptr;
    }
    if (shifted)
        g->translate(shiftX, shiftY);
}

void TqCanvasLayers::paintLayers(int32_t worldX, int32_t worldY, int32_t screenX,
                                 int32_t screenY, int32_t width, int32_t height)
{
    paintTileMap(worldX, worldY, screenX, screenY, width, height);
    paintScenery(worldX, worldY, screenX, screenY, width, height);
    paintSprites(worldX, worldY, screenX, screenY, width, height);
}

void TqCanvasLayers::paintTileMap(int32_t worldX, int32_t worldY, int32_t screenX,
                                  int32_t screenY, int32_t width, int32_t height)
{
    if (!cells || tileWidth <= 0 || tileHeight <= 0)
        return; // no map: scenery and sprites only
    VMPtr<Graphics> g(sceneGraphics);
    VMPtr<Image> image(tileImage);
    VMPtr<ShortArray> map(cells);
    VMPtr<IntArray> sourceX(tileSourceX);
    VMPtr<IntArray> sourceY(tileSourceY);
    VMPtr<IntArray> animated(animatedTiles);
    int32_t firstCell = columns * vm_div(worldY, tileHeight) + vm_div(worldX, tileWidth);
    int32_t dx = vm_rem(worldX, tileWidth);
    int32_t dy = vm_rem(worldY, tileHeight);
    tileRun(dy, tileHeight, height, [&](int32_t row, int32_t innerY, int32_t atY, int32_t h) {
        int32_t rowCell = firstCell + row * columns;
        tileRun(dx, tileWidth, width, [&](int32_t col, int32_t innerX, int32_t atX, int32_t w) {
            int32_t tile = (*vm_nonNull(map))[rowCell + col];
            if (tile < 0)
                tile = (*vm_nonNull(animated))[-tile - 1];
            if (tile <= 0)
                return;
            vm_nonNull(g)->drawRegion(image, (*sourceX)[tile - 1] + innerX,
                                      (*sourceY)[tile - 1] + innerY, w, h, 0, screenX + atX,
                                      screenY + atY, Graphics::TOP | Graphics::LEFT);
        });
    });
}

void TqCanvasLayers::paintScenery(int32_t worldX, int32_t worldY, int32_t screenX,
                                  int32_t screenY, int32_t width, int32_t height)
{
    VMPtr<IntArray> keys(sceneryKeys);
    int32_t n = sceneryCount;
    if (unsorted) {
        sortInts(keys, n);
        unsorted = false;
    }
    int32_t start = vertical ? worldY : worldX;
    int32_t end = start + (vertical ? height : width);
    VMPtr<IntArray> seen(visible);
    VMPtr<GobArray> gobs(sceneryGobs);
    VMPtr<ShortArray> xs(sceneryX);
    VMPtr<ShortArray> ys(sceneryY);
    VMPtr<ByteArray> transforms(sceneryTransforms);
    int32_t shown = 0;
    for (int32_t k = binarySearchInts(keys, n - 1, vm_shl(start - longestExtent, 16));
         k < n && ((*keys)[k] >> 16) < end; k++) {
        int32_t i = (*keys)[k] & 0xFFFF;
        if (meets(gobs->get(i).get(), (*xs)[i], (*ys)[i], (*transforms)[i], worldX, worldY, width,
                  height))
            (*seen)[shown++] = i;
    }
    sortInts(seen, shown);
    if (shown == 0)
        return;
    VMPtr<Graphics> g(sceneGraphics);
    SavedClip saved(g);
    g->setClip(screenX, screenY, width, height);
    for (int32_t k = 0; k < shown; k++) {
        int32_t i = (*seen)[k];
        gobs->get(i)->paint(g, (*xs)[i] - worldX + screenX, (*ys)[i] - worldY + screenY,
                            (*transforms)[i]);
    }
}

void TqCanvasLayers::paintSprites(int32_t worldX, int32_t worldY, int32_t screenX,
                                  int32_t screenY, int32_t width, int32_t height)
{
    if (spriteCount == 0)
        return;
    VMPtr<GobArray> gobs(spriteGobs);
    VMPtr<ShortArray> xs(spriteX);
    VMPtr<ShortArray> ys(spriteY);
    VMPtr<ByteArray> transforms(spriteTransforms);
    VMPtr<Graphics> g(sceneGraphics);
    SavedClip saved(g);
    g->setClip(screenX, screenY, width, height);
    for (int32_t i = 0; i < spriteCount; i++) {
        VMPtr<Gob> gob = gobs->get(i);
        if (meets(gob.get(), (*xs)[i], (*ys)[i], (*transforms)[i], worldX, worldY, width, height))
            gob->paint(g, (*xs)[i] - worldX + screenX, (*ys)[i] - worldY + screenY,
                       (*transforms)[i]);
    }
}

// ---- Int arrays and rectangles ----

void TqCanvasLayers::sortInts(VMPtr<IntArray> a, int32_t n)
{
    if (n <= 0)
        return;
    (void)(*vm_nonNull(a))[n - 1];
    int32_t* v = a->elements();
    int32_t gap = n;
    bool swapped;
    do {
        if (gap > 1)
            gap = (gap * 197) >> 8;
        swapped = false;
        for (int32_t i = n - 1 - gap; i >= 0; i--) {
            if (v[i] > v[i + gap]) {
                std::swap(v[i], v[i + gap]);
                swapped = true;
            }
        }
    } while (gap >= 2 || swapped);
}

int32_t TqCanvasLayers::binarySearchInts(VMPtr<IntArray> a, int32_t last, int32_t value)
{
    int32_t lo = 0;
    int32_t hi = last;
    while (lo <= hi) {
        int32_t mid = (lo + hi) / 2;
        int32_t m = (*vm_nonNull(a))[mid];
        if (m < value)
            lo = mid + 1;
        else if (m > value)
            hi = mid - 1;
        else
            return mid;
    }
    return hi + 1;
}

bool TqCanvasLayers::rectanglesIntersect(int32_t x1, int32_t y1, int32_t w1, int32_t h1,
                                         int32_t x2, int32_t y2, int32_t w2, int32_t h2)
{
    return !(x1 >= x2 + w2 || x2 >= x1 + w1 || y1 >= y2 + h2 || y2 >= y1 + h1);
}

} // namespace tq

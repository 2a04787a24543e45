// Canvas operations that hand their arguments on unchanged: the scene
// layers, the resource manager, and second entries of other operations.
#include "tq/TqCanvas.h"

#include "tq/Resources.h"
#include "tq/ResourcesExt.h"

namespace tq {

// ---- Scene layers ----

VMPtr<TqCanvasLayers> TqCanvas::sceneLayers()
{
    if (layers == nullptr)
        layers = TqCanvasLayers::newInstance()->init();
    return VMPtr<TqCanvasLayers>(layers);
}

void TqCanvas::createTileMap(int32_t columns, int32_t rows, VMPtr<Image> tiles,
                             int32_t tileWidth, int32_t tileHeight)
{
    setMapPosition(0, 0);
    sceneLayers()->createTileMap(columns, rows, tiles, tileWidth, tileHeight);
}

bool TqCanvas::setTileSet(VMPtr<Image> tiles, int32_t tileWidth, int32_t tileHeight)
{
    return sceneLayers()->setTileSet(tiles, tileWidth, tileHeight);
}

int32_t TqCanvas::getColumns()
{
    return sceneLayers()->getColumns();
}

int32_t TqCanvas::getRows()
{
    return sceneLayers()->getRows();
}

int32_t TqCanvas::getTileWidth()
{
    return sceneLayers()->getTileWidth();
}

int32_t TqCanvas::getTileHeight()
{
    return sceneLayers()->getTileHeight();
}

void TqCanvas::setCell(int32_t col, int32_t row, int32_t tile)
{
    sceneLayers()->setCell(col, row, tile);
}

int32_t TqCanvas::getCell(int32_t col, int32_t row)
{
    return sceneLayers()->getCell(col, row);
}

void TqCanvas::fillCells(int32_t col, int32_t row, int32_t numCols, int32_t numRows, int32_t tile)
{
    sceneLayers()->fillCells(col, row, numCols, numRows, tile);
}

int32_t TqCanvas::createAnimatedTile(int32_t staticTile)
{
    return sceneLayers()->createAnimatedTile(staticTile);
}

void TqCanvas::setAnimatedTile(int32_t animatedTile, int32_t staticTile)
{
    sceneLayers()->setAnimatedTile(animatedTile, staticTile);
}

int32_t TqCanvas::getAnimatedTile(int32_t animatedTile)
{
    return sceneLayers()->getAnimatedTile(animatedTile);
}

void TqCanvas::initScenery(int32_t capacity)
{
    sceneLayers()->initScenery(capacity);
}

void TqCanvas::addScenery(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform)
{
    sceneLayers()->addScenery(gob, x, y, transform);
}

void TqCanvas::initSprites(int32_t capacity)
{
    sceneLayers()->initSprites(capacity);
}

void TqCanvas::addSprite(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform)
{
    sceneLayers()->addSprite(gob, x, y, transform);
}

void TqCanvas::paintLayers(int32_t worldX, int32_t worldY, int32_t screenX, int32_t screenY,
                           int32_t width, int32_t height)
{
    sceneLayers()->paintLayers(worldX, worldY, screenX, screenY, width, height);
}

void TqCanvas::paintScene(VMPtr<Graphics> g)
{
    sceneLayers()->paintScene(g, mapOriginX, mapOriginY, sceneWidth, sceneHeight);
}

// ---- Resources ----

VMPtr<Gob::GobArray> TqCanvas::loadGobs(int32_t id)
{
    return ResourcesExt::loadGobs(id);
}

VMPtr<Gob::GobArray> TqCanvas::loadGobs(int32_t id, VMPtr<ByteArray> palette)
{
    return ResourcesExt::loadGobs(id, palette);
}

VMPtr<TqCanvas::Image> TqCanvas::loadImage(int32_t id)
{
    return Resources::loadImage(id);
}

VMPtr<TqCanvas::Image> TqCanvas::loadImage(int32_t id, VMPtr<ByteArray> palette)
{
    return Resources::loadImage(id, palette);
}

VMPtr<TqCanvas::ByteArray> TqCanvas::getResourceBytes(int32_t id)
{
    return Resources::getResourceBytes(id);
}

VMPtr<java::io::DataInputStream> TqCanvas::openResourceStream(int32_t id)
{
    return Resources::openResourceStream(id);
}

bool TqCanvas::openPack(VMPtr<java::io::DataInputStream> in)
{
    return Resources::openPack(in);
}

bool TqCanvas::openPackAlias(VMPtr<java::io::DataInputStream> in)
{
    return openPack(in);
}

VMPtr<TqCanvas::ByteArray> TqCanvas::getPalette(int32_t id)
{
    return Resources::getPalette(id);
}

VMPtr<TqCanvas::ByteArray> TqCanvas::buildPack(VMPtr<VMArray<int8_t, 2>> entries,
                                               VMPtr<ByteArray> types)
{
    return Resources::buildPack(entries, types);
}

VMPtr<TqCanvas::ByteArray> TqCanvas::buildBitmap(int32_t id)
{
    return Resources::buildBitmap(id);
}

// ---- Second entries ----

VMPtr<TqCanvas::ByteArray> TqCanvas::loadRecordStoreAlias(int32_t id)
{
    return loadRecordStore(id);
}

bool TqCanvas::saveRecordStoreAlias(int32_t id, VMPtr<ByteArray> data)
{
    return saveRecordStore(id, data);
}

void TqCanvas::clipToViewportAlias(VMPtr<Graphics> g)
{
    clipToViewport(g);
}

void TqCanvas::setViewportClipAlias(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h)
{
    setViewportClip(g, x, y, w, h);
}

VMPtr<java::lang::String> TqCanvas::getTextAlias(int32_t index)
{
    return getText(index);
}

void TqCanvas::loadTextTableAlias(int32_t id)
{
    loadTextTable(id);
}

void TqCanvas::drawImageRegionAt(VMPtr<Graphics> g, int32_t x, int32_t y, VMPtr<Image> image,
                                 int32_t srcX, int32_t srcY, int32_t w, int32_t h)
{
    drawImageRegion(image, srcX, srcY, w, h, g, x, y);
}

} // namespace tq

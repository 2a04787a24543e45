#include "ContactSheet.h"

#include <algorithm>
#include <cstdio>
#include <png.h>
#include <vector>

#include "java/lang/String.h"
#include "javax/microedition/lcdui/Font.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/AnimSet.h"
#include "tq/Gob.h"
#include "tq/Resources.h"
#include "tq/ResourcesExt.h"
#include "tq/graphics/CollisionBox.h"
#include "vm/VMStringLiterals.h"

namespace contactsheet {

namespace {

using javax::microedition::lcdui::Font;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using IntArray = VMArray<int32_t, 1>;

constexpr int32_t BACKGROUND = 0x3A4250;  // mid grey-blue: dark and light art both show
constexpr int32_t CELL_LINE = 0x5C6678;
constexpr int32_t ORIGIN_MARK = 0x40E0FF; // the hot spot or frame origin
constexpr int32_t BOX_LINE = 0xFF3030;    // collision boxes
constexpr int32_t PLACEMENT_LINE = 0xC0C040;
constexpr int32_t TEXT = 0xFFFFFF;
constexpr int32_t PAD = 6;
constexpr int32_t LABEL_HEIGHT = 16;
constexpr int32_t MAX_WIDTH = 1200;

// A rectangle relative to the drawing origin.
struct Extent {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    void add(int32_t x, int32_t y, int32_t w, int32_t h)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + w);
        bottom = std::max(bottom, y + h);
    }
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
};

std::string hex(int32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X", unsigned(id));
    return text;
}

VMPtr<java::lang::String> string(const std::string& text)
{
    return java::lang::String::newFromCString(text.c_str());
}

// The sheet: a title line, then cells of one size in rows.
struct Grid {
    int32_t count;
    Extent cell; // the largest item, relative to its origin
    int32_t columns = 1;
    int32_t cellWidth = 0, cellHeight = 0;
    int32_t top = LABEL_HEIGHT + PAD;
    VMPtr<Image> image;
    VMPtr<Graphics> g;

    Grid(int32_t n, const Extent& largest, int32_t extraLines) : count(n), cell(largest)
    {
        cellWidth = std::max(cell.width(), 40) + 2 * PAD;
        cellHeight = cell.height() + 2 * PAD + LABEL_HEIGHT;
        columns = std::clamp(MAX_WIDTH / cellWidth, 1, std::max(n, 1));
        int32_t rows = (std::max(n, 1) + columns - 1) / columns;
        int32_t width = std::max(columns * cellWidth, 320);
        int32_t height = top + rows * cellHeight + extraLines * LABEL_HEIGHT + PAD;
        image = Image::createImage(width, height, false, BACKGROUND);
        g = image->getGraphics();
        g->setFont(Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL));
    }

    void text(const std::string& line, int32_t x, int32_t y)
    {
        g->setColor(TEXT);
        g->drawString(string(line), x, y, Graphics::TOP | Graphics::LEFT);
    }

    // Draws the cell's frame and label; answers the origin inside it.
    std::pair<int32_t, int32_t> openCell(int32_t i, const std::string& label)
    {
        int32_t x = (i % columns) * cellWidth;
        int32_t y = top + (i / columns) * cellHeight;
        g->setClip(0, 0, image->getWidth(), image->getHeight());
        g->setColor(CELL_LINE);
        g->drawRect(x, y, cellWidth - 1, cellHeight - 1);
        text(label, x + 3, y + 1);
        g->clipRect(x + 1, y + 1, cellWidth - 2, cellHeight - 2);
        return {x + PAD - cell.left, y + LABEL_HEIGHT + PAD - cell.top};
    }

    void originMark(int32_t x, int32_t y)
    {
        g->setColor(ORIGIN_MARK);
        g->drawLine(x - 3, y, x + 3, y);
        g->drawLine(x, y - 3, x, y + 3);
    }

    int32_t linesTop() const { return top + ((count + columns - 1) / columns) * cellHeight + PAD / 2; }
};

void writePng(const VMPtr<Image>& image, const std::filesystem::path& file)
{
    int32_t w = image->getWidth(), h = image->getHeight();
    VMPtr<IntArray> argb = IntArray::newArray(w * h);
    image->getRGB(argb, 0, w, 0, 0, w, h);
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    for (size_t i = 0; i < size_t(w) * size_t(h); i++) {
        uint32_t p = uint32_t((*argb)[int32_t(i)]);
        rgba[4 * i] = uint8_t(p >> 16);
        rgba[4 * i + 1] = uint8_t(p >> 8);
        rgba[4 * i + 2] = uint8_t(p);
        rgba[4 * i + 3] = 0xFF;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(w);
    png.height = png_uint_32(h);
    png.format = PNG_FORMAT_RGBA;
    std::filesystem::create_directories(file.parent_path());
    if (!png_image_write_to_file(&png, file.c_str(), 0, rgba.data(), 0, nullptr))
        throw SheetError("cannot write " + file.string() + ": " + png.message);
}

VMPtr<tq::Gob::GobArray> loadGobs(int32_t id)
{
    VMPtr<tq::Gob::GobArray> gobs = tq::ResourcesExt::loadGobs(id);
    tq::Resources::closePack();
    if (!gobs)
        throw SheetError("Gob set " + hex(id) + " does not load");
    return gobs;
}

} // namespace

void writeGobSetSheet(int32_t gobSetId, const std::string& title, const std::filesystem::path& file)
{
    VMPtr<tq::Gob::GobArray> gobs = loadGobs(gobSetId);
    VMPtr<tq::graphics::CollisionBox> box = tq::graphics::CollisionBox::newInstance()->init();
    Extent largest;
    for (int32_t i = 0; i < gobs->length; i++) {
        VMPtr<tq::Gob> gob = gobs->get(i);
        largest.add(gob->getX(0), gob->getY(0), gob->getWidth(0), gob->getHeight(0));
        if (gob->getCollisionBox(box, 0, 0, 0))
            largest.add(box->x, box->y, box->width, box->height);
    }
    Grid grid(gobs->length, largest, 0);
    grid.text(title + ": Gob set " + hex(gobSetId) + ", " + std::to_string(gobs->length) +
                  " Gobs (red: collision box, blue: hot spot)",
              PAD, 2);
    for (int32_t i = 0; i < gobs->length; i++) {
        VMPtr<tq::Gob> gob = gobs->get(i);
        auto [x, y] = grid.openCell(i, std::to_string(i) + "  " + std::to_string(gob->getWidth(0)) + "x" +
                                            std::to_string(gob->getHeight(0)));
        gob->paint(grid.g, x, y, 0);
        grid.g->setColor(BOX_LINE);
        gob->paintCollisionBox(grid.g, x, y, 0);
        grid.originMark(x, y);
    }
    writePng(grid.image, file);
}

void writeAnimSetSheet(int32_t animSetId, int32_t gobSetId, const std::string& title,
                       const std::filesystem::path& file)
{
    VMPtr<tq::AnimSet> set = tq::Resources::loadAnimSet(animSetId);
    tq::Resources::closePack();
    if (!set)
        throw SheetError("animation set " + hex(animSetId) + " does not load");
    if (gobSetId != -1)
        set->setGobs(loadGobs(gobSetId));
    int32_t frames = set->getFrameCount();
    int32_t animations = set->getAnimationCount();
    VMPtr<IntArray> bounds = IntArray::newArray(4);
    Extent largest;
    std::vector<std::vector<int32_t>> rects(size_t(std::max(frames, 0)));
    std::vector<std::vector<int32_t>> placed(rects.size());
    for (int32_t f = 0; f < frames; f++) {
        int32_t boxes = set->getCollisionBoxCount(f);
        VMPtr<IntArray> out = IntArray::newArray(5 * boxes);
        set->getCollisionRects(f, 0, out);
        for (int32_t b = 0; b < boxes; b++) {
            largest.add((*out)[5 * b], (*out)[5 * b + 1], (*out)[5 * b + 2], (*out)[5 * b + 3]);
            rects[size_t(f)].insert(rects[size_t(f)].end(), out->elements() + 5 * b, out->elements() + 5 * b + 5);
        }
        if (gobSetId != -1) {
            set->getFrameBounds(f, 0, bounds);
            if ((*bounds)[2] > 0 && (*bounds)[3] > 0)
                largest.add((*bounds)[0], (*bounds)[1], (*bounds)[2], (*bounds)[3]);
        } else {
            int32_t n = set->getPlacementCount(f);
            VMPtr<IntArray> p = IntArray::newArray(4 * n);
            set->getPlacements(f, 0, p);
            placed[size_t(f)].assign(p->elements(), p->elements() + 4 * n);
        }
    }
    Grid grid(frames, largest, animations + 1);
    std::string drawn = gobSetId != -1 ? "drawn with Gob set " + hex(gobSetId)
                                       : "no Gob set named for it (gobs= in its expectations)";
    grid.text(title + ": animation set " + hex(animSetId) + ", " + std::to_string(frames) + " frames, " +
                  std::to_string(animations) + " animations, " + drawn,
              PAD, 2);
    for (int32_t f = 0; f < frames; f++) {
        auto [x, y] = grid.openCell(f, "frame " + std::to_string(f));
        if (gobSetId != -1) {
            set->paintFrame(grid.g, f, x, y, 0);
        } else {
            // Without Gobs, each placement's Gob number at its offset.
            const std::vector<int32_t>& p = placed[size_t(f)];
            for (size_t i = 0; i + 3 < p.size(); i += 4) {
                grid.g->setColor(PLACEMENT_LINE);
                grid.g->drawString(string("g" + std::to_string(p[i])), x + p[i + 1], y + p[i + 2],
                                   Graphics::TOP | Graphics::LEFT);
            }
        }
        grid.g->setColor(BOX_LINE);
        const std::vector<int32_t>& r = rects[size_t(f)];
        for (size_t i = 0; i + 4 < r.size(); i += 5) {
            grid.g->drawRect(x + r[i], y + r[i + 1], std::max(r[i + 2] - 1, 0), std::max(r[i + 3] - 1, 0));
            grid.g->drawString(string(std::to_string(i / 5)), x + r[i] + 1, y + r[i + 1],
                               Graphics::TOP | Graphics::LEFT);
        }
        grid.originMark(x, y);
    }
    grid.g->setClip(0, 0, grid.image->getWidth(), grid.image->getHeight());
    int32_t line = grid.linesTop();
    for (int32_t a = 0; a < animations; a++, line += LABEL_HEIGHT) {
        grid.text("animation " + std::to_string(a) + ": " + std::to_string(set->getStepCount(a)) + " steps, " +
                      std::to_string(set->getAnimationDuration(a)) + " ms",
                  PAD, line);
    }
    writePng(grid.image, file);
}

} // namespace contactsheet

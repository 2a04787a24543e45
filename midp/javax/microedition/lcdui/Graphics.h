#pragma once
// javax.microedition.lcdui.Graphics: the drawing context. It keeps the whole
// drawing state (translation, clip in absolute coordinates, colour, alpha,
// font, stroke style) and forwards every operation, translated, to the
// platform context it owns; each state change is pushed to that context.

#include <cstdint>

#include "java/lang/String.h"
#include "javax/microedition/lcdui/Font.h"
#include "javax/microedition/lcdui/Image.h"

struct HALGraphics;
struct HALScreenBuffer;

namespace javax::microedition::lcdui {

class Graphics : public virtual java::lang::Object {
    VM_CLASS(Graphics, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t HCENTER = 1;
    static constexpr int32_t VCENTER = 2;
    static constexpr int32_t LEFT = 4;
    static constexpr int32_t RIGHT = 8;
    static constexpr int32_t TOP = 16;
    static constexpr int32_t BOTTOM = 32;
    static constexpr int32_t BASELINE = 64;
    static constexpr int32_t SOLID = 0;
    static constexpr int32_t DOTTED = 1;

    ~Graphics() override;

    // A Graphics drawing into a mutable image.
    static VMPtr<Graphics> createForImage(VMPtr<Image> image);
    // A Graphics drawing into a canvas's screen buffer.
    static VMPtr<Graphics> createForScreenBuffer(HALScreenBuffer* buffer);
    // A Graphics over a context the platform supplies (paint events).
    static VMPtr<Graphics> createForContext(HALGraphics* context, int32_t width, int32_t height);

    // Target size, no translation, the clip on the whole target.
    void resetTarget(int32_t width, int32_t height);
    // Default font, black, opaque, solid; with push the platform context is
    // told too.
    void resetState(bool push);
    // Gives the platform context back; later drawing does nothing.
    void releaseContext();

    virtual void translate(int32_t x, int32_t y);
    virtual int32_t getTranslateX();
    virtual int32_t getTranslateY();
    virtual int32_t getColor();
    virtual int32_t getRedComponent();
    virtual int32_t getGreenComponent();
    virtual int32_t getBlueComponent();
    virtual int32_t getGrayScale();
    virtual void setColor(int32_t rgb);
    virtual void setColor(int32_t red, int32_t green, int32_t blue);
    virtual void setGrayScale(int32_t value);
    virtual VMPtr<Font> getFont();
    virtual void setFont(VMPtr<Font> font);
    virtual int32_t getStrokeStyle();
    virtual void setStrokeStyle(int32_t style);
    virtual int32_t getClipX();
    virtual int32_t getClipY();
    virtual int32_t getClipWidth();
    virtual int32_t getClipHeight();
    virtual void clipRect(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void setClip(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual void fillRect(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void drawRect(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void drawRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth,
                               int32_t arcHeight);
    virtual void fillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth,
                               int32_t arcHeight);
    virtual void fillArc(int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle, int32_t arcAngle);
    virtual void drawArc(int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle, int32_t arcAngle);
    virtual void drawString(VMPtr<java::lang::String> str, int32_t x, int32_t y, int32_t anchor);
    virtual void drawSubstring(VMPtr<java::lang::String> str, int32_t offset, int32_t len, int32_t x, int32_t y,
                               int32_t anchor);
    virtual void drawChar(char16_t character, int32_t x, int32_t y, int32_t anchor);
    virtual void drawChars(VMPtr<java::lang::String::CharArray> data, int32_t offset, int32_t length, int32_t x,
                           int32_t y, int32_t anchor);
    virtual void drawImage(VMPtr<Image> img, int32_t x, int32_t y, int32_t anchor);
    virtual void drawRegion(VMPtr<Image> src, int32_t xSrc, int32_t ySrc, int32_t width, int32_t height,
                            int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor);
    virtual void copyArea(int32_t xSrc, int32_t ySrc, int32_t width, int32_t height, int32_t xDest, int32_t yDest,
                          int32_t anchor);
    virtual void fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
    virtual void drawRGB(VMPtr<IntArray> rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                         int32_t width, int32_t height, bool processAlpha);
    virtual int32_t getDisplayColor(int32_t color);
    virtual int32_t getARGBColor();
    virtual void setARGBColor(int32_t alpha, int32_t red, int32_t green, int32_t blue);
    virtual void setARGBColor(int32_t argb);
    virtual int32_t getAlpha();
    virtual void setAlpha(int32_t alpha);
    virtual int32_t getAlphaMode();
    virtual void setAlphaMode(int32_t mode);
    virtual void fillGradientRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t colorFrom,
                                  int32_t colorTo, bool horizontal);
    virtual void platformHook(int32_t, int32_t, int32_t, int32_t, int32_t);

    // Anchor rules: 0 and TOP | LEFT are valid; otherwise one vertical and
    // one horizontal bit, none of forbidden.
    static bool isValidAnchor(int32_t anchor, int32_t forbidden);
    // Moves (x, y) from the anchor point to the top-left corner of a
    // width x height picture under the transform; false for a bad anchor.
    static bool applyAnchor(int32_t& x, int32_t& y, int32_t width, int32_t height, int32_t anchor,
                            int32_t transform);

    HALGraphics* platformContext() const { return context_; }

    int16_t clipLeft = 0;
    int16_t clipTop = 0;
    int16_t clipRight = 0;
    int16_t clipBottom = 0;
    int16_t targetWidth = 0;
    int16_t targetHeight = 0;
    int32_t translateX = 0;
    int32_t translateY = 0;
    int32_t colour = 0;
    int32_t alpha = 255;
    int32_t grayLevel = 0;
    bool grayValid = false;
    int32_t strokeStyle = 0;
    VMField<Font> font;
    int32_t alphaMode = 0;
    VMField<Image> targetImage;

private:
    void pushColour();
    void emptyClip();
    // The common body of the four text operations.
    void drawText(const char16_t* chars, int32_t length, int32_t x, int32_t y, int32_t anchor);

    HALGraphics* context_ = nullptr;

    VM_FIELDS(font, targetImage)
};

} // namespace javax::microedition::lcdui

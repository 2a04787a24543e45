#pragma once
// javax.microedition.lcdui.Font: a platform font by face, style and size,
// with its height and baseline; measures text through the platform. Fonts
// are shared: getFont hands out one object per face, style and size.

#include <cstdint>

#include "java/lang/String.h"
#include "java/util/Hashtable.h"

struct HALFont;

namespace javax::microedition::lcdui {

class Font : public virtual java::lang::Object {
    VM_CLASS(Font, java::lang::Object)

    static constexpr int32_t FACE_SYSTEM = 0;
    static constexpr int32_t FACE_MONOSPACE = 32;
    static constexpr int32_t FACE_PROPORTIONAL = 64;
    static constexpr int32_t STYLE_PLAIN = 0;
    static constexpr int32_t STYLE_BOLD = 1;
    static constexpr int32_t STYLE_ITALIC = 2;
    static constexpr int32_t STYLE_UNDERLINED = 4;
    static constexpr int32_t SIZE_SMALL = 8;
    static constexpr int32_t SIZE_MEDIUM = 0;
    static constexpr int32_t SIZE_LARGE = 16;

    // The cached font; IllegalArgumentException ("Unsupported face",
    // "Unsupported style", "Unsupported size") for values outside MIDP's.
    static VMPtr<Font> getFont(int32_t face, int32_t style, int32_t size);
    // The system font, plain, medium; one object for the whole run, apart
    // from the cache.
    static VMPtr<Font> getDefaultFont();

    virtual int32_t getStyle();
    virtual int32_t getSize();
    virtual int32_t getFace();
    virtual bool isPlain();
    virtual bool isBold();
    virtual bool isItalic();
    virtual bool isUnderlined();
    virtual int32_t getHeight();
    virtual int32_t getBaselinePosition();
    virtual int32_t charWidth(char16_t ch);
    // Ranges outside the array or string throw ArrayIndexOutOfBoundsException.
    virtual int32_t charsWidth(VMPtr<java::lang::String::CharArray> ch, int32_t offset, int32_t length);
    virtual int32_t substringWidth(VMPtr<java::lang::String> str, int32_t offset, int32_t len);
    virtual int32_t stringWidth(VMPtr<java::lang::String> str);

    HALFont* platformFont() const { return font_; }

    static void staticInit();

    int32_t face = 0;
    int32_t style = 0;
    int32_t size = 0;
    int32_t height = 0;
    int32_t baseline = 0;

    VM_STATIC(java::util::Hashtable, cache);
    VM_STATIC(Font, defaultFont);

private:
    // A font made through the platform; fatal when it cannot be made.
    static VMPtr<Font> make(int32_t face, int32_t style, int32_t size);

    HALFont* font_ = nullptr;
};

} // namespace javax::microedition::lcdui

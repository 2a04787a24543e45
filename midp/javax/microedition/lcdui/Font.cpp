#include "javax/microedition/lcdui/Font.h"

#include "hal/font.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/Integer.h"
#include "java/lang/NullPointerException.h"
#include "javax/microedition/lcdui/ranges.h"
#include "vm/VMBoot.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::Font, "javax.microedition.lcdui.Font", "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Font",
                             &javax::microedition::lcdui::Font::staticInit);

namespace javax::microedition::lcdui {

using java::lang::String;

void Font::staticInit()
{
    cache = java::util::Hashtable::newInstance()->init(4);
}

VMPtr<Font> Font::make(int32_t face, int32_t style, int32_t size)
{
    HALFont* platform = nullptr;
    if (HAL_getFont(&platform, face, style, size) != 0)
        _VM_fatalError("HAL_getFont() failed.");
    VMPtr<Font> font = newInstance();
    font->face = face;
    font->style = style;
    font->size = size;
    font->font_ = platform;
    font->height = HAL_getFontHeight(platform);
    font->baseline = HAL_getFontAscent(platform);
    return font;
}

VMPtr<Font> Font::getFont(int32_t face, int32_t style, int32_t size)
{
    _VM_clinit();
    if (face != FACE_SYSTEM && face != FACE_MONOSPACE && face != FACE_PROPORTIONAL)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Unsupported face"));
    if ((style & 7) != style)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Unsupported style"));
    if (size != SIZE_SMALL && size != SIZE_MEDIUM && size != SIZE_LARGE)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Unsupported size"));
    // The cache is guarded by the class's own monitor.
    VMSynchronized guard(classRecord());
    VMPtr<java::lang::Integer> key = java::lang::Integer::newInstance()->init(face | style | size);
    VMPtr<Object> cached = cache->get(key);
    if (cached)
        return vm_cast<Font>(cached);
    VMPtr<Font> font = make(face, style, size);
    cache->put(key, font);
    return font;
}

VMPtr<Font> Font::getDefaultFont()
{
    _VM_clinit();
    VMSynchronized guard(classRecord());
    if (!defaultFont)
        defaultFont = make(FACE_SYSTEM, STYLE_PLAIN, SIZE_MEDIUM);
    return defaultFont;
}

int32_t Font::getStyle()
{
    return style;
}

int32_t Font::getSize()
{
    return size;
}

int32_t Font::getFace()
{
    return face;
}

bool Font::isPlain()
{
    return style == STYLE_PLAIN;
}

bool Font::isBold()
{
    return (style & STYLE_BOLD) != 0;
}

bool Font::isItalic()
{
    return (style & STYLE_ITALIC) != 0;
}

bool Font::isUnderlined()
{
    return (style & STYLE_UNDERLINED) != 0;
}

int32_t Font::getHeight()
{
    return height;
}

int32_t Font::getBaselinePosition()
{
    return baseline;
}

int32_t Font::charWidth(char16_t ch)
{
    return HAL_getStringWidth(font_, &ch, 1);
}

int32_t Font::charsWidth(VMPtr<String::CharArray> ch, int32_t offset, int32_t length)
{
    if (!isRangeOf(offset, length, vm_nonNull(ch)->length))
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    if (length == 0)
        return 0;
    return HAL_getStringWidth(font_, ch->elements() + offset, length);
}

int32_t Font::substringWidth(VMPtr<String> str, int32_t offset, int32_t len)
{
    if (!isRangeOf(offset, len, vm_nonNull(str)->length()))
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    if (len == 0)
        return 0;
    return HAL_getStringWidth(font_, str->chars() + offset, len);
}

int32_t Font::stringWidth(VMPtr<String> str)
{
    return HAL_getStringWidth(font_, vm_nonNull(str)->chars(), str->length());
}

} // namespace javax::microedition::lcdui

#pragma once
// generated.Build: the build properties of the package as String constants.
// Nothing in the program reads them or initialises the class; its static
// initialiser would assign them all in one pass.

#include "java/lang/Object.h"
#include "java/lang/String.h"

namespace generated {

// name, value
#define VX_BUILD_PROPERTIES(X)                                                                \
    X(PRODUCT_NAME, "Vexalon")                                                                \
    X(MIDLET_NAME, "Vexalon")                                                                 \
    X(MIDLET_CLASS, "main.CommonMIDlet")                                                      \
    X(DESCRIPTION, "shooting game")                                                           \
    X(PACKAGE, "com.oskren")                                                                  \
    X(ENGINE_VERSION, "4.4.0")                                                                \
    X(VERSION, "1.0.0")                                                                       \
    X(MAX_VERSION, "999.999.999")                                                             \
    X(PLATFORM, "WINMO")                                                                      \
    X(PLATFORM_NAME, "Windows Mobile")                                                        \
    X(PLATFORM_EDITION, "Professional")                                                       \
    X(GRAPHICS_API, "WINCE_API_GDI")                                                          \
    X(OS_VERSION, "6.5")                                                                      \
    X(CONFIGURATION_VERSION, "1.1")                                                           \
    X(ORIENTATION, "PORTRAIT")                                                                \
    X(SCREEN_KIND, "tall")                                                                    \
    X(INPUT, "touch")                                                                         \
    X(KEYBOARD, "QWERTY")                                                                     \
    X(NAVIGATION, "D-pad")                                                                    \
    X(CAPTURE_LOCATOR, "capture://")                                                          \
    X(SOUND_FORMAT, "WAV")                                                                    \
    X(FONT_FACE, "SansSerif")                                                                 \
    X(TEXT_COLOUR, "ffffff")                                                                  \
    X(BUTTON_SIZES, "s:21x21,l:43x43,start:90x90")                                           \
    X(LANGUAGE, "english")                                                                    \
    X(LANGUAGE_CODE, "EN")

class Build : public virtual java::lang::Object {
    VM_INTERFACE(Build)

#define VX_BUILD_STATIC(name, value) VM_STATIC(java::lang::String, name);
    VX_BUILD_PROPERTIES(VX_BUILD_STATIC)
#undef VX_BUILD_STATIC
};

} // namespace generated

#pragma once
// generated.Build: the build properties of the package as String constants.
// Nothing in the program reads them or initialises the class; its static
// initialiser would assign them all in one pass: the set properties their
// values, the unset ones the empty string.

#include "java/lang/Object.h"
#include "java/lang/String.h"

namespace generated {

// The set properties: name, value (UTF-8).
#define VX_BUILD_PROPERTIES(X)                                                                     \
    X(PRODUCT_NAME, "Vexalon")                                                                     \
    X(MIDLET_NAME, "Vexalon")                                                                      \
    X(JAR_NAME, "Vexalon_english_Norvik_240x320_touch.jar")                                        \
    X(MIDLET_CLASS, "main.CommonMIDlet")                                                           \
    X(DESCRIPTION, "shooting game")                                                                \
    X(PACKAGE, "com.oskren")                                                                       \
    X(VENDOR, "Oskren Games Ltd.")                                                                 \
    X(PUBLISHER, "Oskren Publishing")                                                              \
    X(ENGINE_VERSION, "4.4.0")                                                                     \
    X(VERSION, "1.0.0")                                                                            \
    X(MAX_VERSION, "999.999.999")                                                                  \
    X(ENGINE_DATE, "2010-02-10")                                                                   \
    X(CREATED_DATE, "2010-04-01")                                                                  \
    X(BUILD_DATE, "2011-12-22")                                                                    \
    X(BUILD_TIME, "15:20:54")                                                                      \
    X(DEVICE_MAKER, "Norvik")                                                                      \
    X(DEVICE_MAKER_CODE, "NORVIK")                                                                 \
    X(DEVICE_MODEL, "Norvik Vela")                                                                 \
    X(DEVICE_MODELS, "V100,V110,V120,V130,V140,V150")                                              \
    X(DEVICE_FAMILY, "V1")                                                                         \
    X(IDE, "ECLIPSE")                                                                              \
    X(PLATFORM, "WINMO")                                                                           \
    X(PLATFORM_NAME, "Windows Mobile")                                                             \
    X(PLATFORM_FAMILY, "Windows Mobile")                                                           \
    X(PLATFORM_EDITION, "Professional")                                                            \
    X(GRAPHICS_API, "WINCE_API_GDI")                                                               \
    X(ANDROID_TARGET, "android-7")                                                                 \
    X(CE_VERSION, "5.2")                                                                           \
    X(OS_VERSION, "6.5")                                                                           \
    X(OS_VERSION_MIN, "6.5")                                                                       \
    X(RUNTIME_VERSION, "3.2")                                                                      \
    X(CONFIGURATION_VERSION, "1.1")                                                                \
    X(SOUND_CHANNELS, "3")                                                                         \
    X(SOUND_SLOTS, "6")                                                                            \
    X(CERTIFICATE, "n/a")                                                                          \
    X(ORIENTATION, "PORTRAIT")                                                                     \
    X(SCREEN_KIND, "tall")                                                                         \
    X(INPUT, "touch")                                                                              \
    X(KEYBOARD, "QWERTY")                                                                          \
    X(NAVIGATION, "D-pad")                                                                         \
    X(NUMBER_KEYS, "Numbers")                                                                      \
    X(KEYBOARD_ROWS, "4 Rows")                                                                     \
    X(FONT_SIZE, "normal")                                                                         \
    X(CAPTURE_LOCATOR, "capture://")                                                               \
    X(SOUND_FORMAT, "WAV")                                                                         \
    X(MUSIC_FORMAT, "WAV")                                                                         \
    X(EFFECT_FORMAT, "WAV")                                                                        \
    X(VOICE_FORMAT, "WAV")                                                                         \
    X(FONT_FACE, "SansSerif")                                                                      \
    X(TEXT_COLOUR, "ffffff")                                                                       \
    X(BUTTON_SIZES, "s:21x21,l:43x43,start:90x90")                                                 \
    X(LANGUAGE, "english")                                                                         \
    X(LANGUAGE_CODE, "EN")                                                                         \
    X(KEY_ALIASES, "48: 46\u00A749: 117\u00A750: 105\u00A751: 111\u00A752: 106\u00A7"              \
                   "53: 107\u00A754: 108\u00A755: 109\u00A756: 246\u00A757: 228\u00A7"             \
                   "35: 229\u00A742: 44")                                                          \
    X(KEY_FOLDING, "\x03" "0." "\x03" "1u" "\x03" "2i" "\x03" "3o" "\x03" "4j" "\x03" "5k"         \
                   "\x03" "6l" "\x03" "7m" "\x03" "8\u00F6" "\x03" "9\u00E4"                       \
                   "\x03" "#\u00E5" "\x03" "*,")                                                   \
    X(SERVICE_URL, "http://services.example.com/api/")

// The properties the package leaves unset.
#define VX_BUILD_UNSET_PROPERTIES(X)                                                               \
    X(UNSET_001) X(UNSET_002) X(UNSET_003) X(UNSET_004) X(UNSET_005) X(UNSET_006) X(UNSET_007)     \
    X(UNSET_008) X(UNSET_009) X(UNSET_010) X(UNSET_011) X(UNSET_012) X(UNSET_013) X(UNSET_014)     \
    X(UNSET_015) X(UNSET_016) X(UNSET_017) X(UNSET_018) X(UNSET_019) X(UNSET_020) X(UNSET_021)     \
    X(UNSET_022) X(UNSET_023) X(UNSET_024) X(UNSET_025) X(UNSET_026) X(UNSET_027) X(UNSET_028)     \
    X(UNSET_029) X(UNSET_030) X(UNSET_031) X(UNSET_032) X(UNSET_033) X(UNSET_034) X(UNSET_035)     \
    X(UNSET_036) X(UNSET_037) X(UNSET_038) X(UNSET_039) X(UNSET_040) X(UNSET_041) X(UNSET_042)     \
    X(UNSET_043) X(UNSET_044) X(UNSET_045) X(UNSET_046) X(UNSET_047) X(UNSET_048) X(UNSET_049)     \
    X(UNSET_050) X(UNSET_051) X(UNSET_052) X(UNSET_053) X(UNSET_054) X(UNSET_055) X(UNSET_056)     \
    X(UNSET_057) X(UNSET_058) X(UNSET_059) X(UNSET_060) X(UNSET_061) X(UNSET_062) X(UNSET_063)     \
    X(UNSET_064) X(UNSET_065) X(UNSET_066) X(UNSET_067) X(UNSET_068) X(UNSET_069) X(UNSET_070)     \
    X(UNSET_071) X(UNSET_072) X(UNSET_073) X(UNSET_074) X(UNSET_075) X(UNSET_076) X(UNSET_077)     \
    X(UNSET_078) X(UNSET_079) X(UNSET_080) X(UNSET_081) X(UNSET_082) X(UNSET_083) X(UNSET_084)     \
    X(UNSET_085) X(UNSET_086) X(UNSET_087) X(UNSET_088) X(UNSET_089) X(UNSET_090) X(UNSET_091)     \
    X(UNSET_092) X(UNSET_093) X(UNSET_094) X(UNSET_095) X(UNSET_096) X(UNSET_097) X(UNSET_098)     \
    X(UNSET_099) X(UNSET_100) X(UNSET_101) X(UNSET_102) X(UNSET_103) X(UNSET_104) X(UNSET_105)     \
    X(UNSET_106) X(UNSET_107) X(UNSET_108) X(UNSET_109) X(UNSET_110) X(UNSET_111) X(UNSET_112)     \
    X(UNSET_113) X(UNSET_114) X(UNSET_115) X(UNSET_116) X(UNSET_117) X(UNSET_118) X(UNSET_119)     \
    X(UNSET_120) X(UNSET_121) X(UNSET_122) X(UNSET_123) X(UNSET_124) X(UNSET_125) X(UNSET_126)     \
    X(UNSET_127) X(UNSET_128) X(UNSET_129) X(UNSET_130) X(UNSET_131) X(UNSET_132) X(UNSET_133)     \
    X(UNSET_134) X(UNSET_135) X(UNSET_136) X(UNSET_137) X(UNSET_138) X(UNSET_139) X(UNSET_140)     \
    X(UNSET_141) X(UNSET_142) X(UNSET_143) X(UNSET_144) X(UNSET_145) X(UNSET_146) X(UNSET_147)     \
    X(UNSET_148) X(UNSET_149) X(UNSET_150) X(UNSET_151) X(UNSET_152) X(UNSET_153) X(UNSET_154)     \
    X(UNSET_155) X(UNSET_156) X(UNSET_157) X(UNSET_158) X(UNSET_159) X(UNSET_160) X(UNSET_161)     \
    X(UNSET_162) X(UNSET_163) X(UNSET_164) X(UNSET_165) X(UNSET_166) X(UNSET_167) X(UNSET_168)     \
    X(UNSET_169) X(UNSET_170) X(UNSET_171) X(UNSET_172) X(UNSET_173) X(UNSET_174) X(UNSET_175)     \
    X(UNSET_176) X(UNSET_177) X(UNSET_178) X(UNSET_179) X(UNSET_180) X(UNSET_181) X(UNSET_182)     \
    X(UNSET_183) X(UNSET_184) X(UNSET_185) X(UNSET_186) X(UNSET_187) X(UNSET_188) X(UNSET_189)     \
    X(UNSET_190) X(UNSET_191) X(UNSET_192) X(UNSET_193) X(UNSET_194) X(UNSET_195) X(UNSET_196)     \
    X(UNSET_197) X(UNSET_198) X(UNSET_199) X(UNSET_200) X(UNSET_201) X(UNSET_202) X(UNSET_203)     \
    X(UNSET_204) X(UNSET_205) X(UNSET_206) X(UNSET_207) X(UNSET_208) X(UNSET_209) X(UNSET_210)     \
    X(UNSET_211) X(UNSET_212) X(UNSET_213) X(UNSET_214) X(UNSET_215) X(UNSET_216) X(UNSET_217)     \
    X(UNSET_218) X(UNSET_219) X(UNSET_220) X(UNSET_221) X(UNSET_222) X(UNSET_223) X(UNSET_224)     \
    X(UNSET_225) X(UNSET_226) X(UNSET_227) X(UNSET_228) X(UNSET_229) X(UNSET_230) X(UNSET_231)     \
    X(UNSET_232) X(UNSET_233) X(UNSET_234) X(UNSET_235) X(UNSET_236) X(UNSET_237) X(UNSET_238)     \
    X(UNSET_239) X(UNSET_240) X(UNSET_241) X(UNSET_242) X(UNSET_243) X(UNSET_244) X(UNSET_245)     \
    X(UNSET_246) X(UNSET_247) X(UNSET_248) X(UNSET_249) X(UNSET_250) X(UNSET_251) X(UNSET_252)     \
    X(UNSET_253) X(UNSET_254) X(UNSET_255) X(UNSET_256) X(UNSET_257) X(UNSET_258) X(UNSET_259)     \
    X(UNSET_260) X(UNSET_261) X(UNSET_262) X(UNSET_263) X(UNSET_264) X(UNSET_265) X(UNSET_266)     \
    X(UNSET_267) X(UNSET_268) X(UNSET_269) X(UNSET_270) X(UNSET_271) X(UNSET_272) X(UNSET_273)     \
    X(UNSET_274) X(UNSET_275) X(UNSET_276) X(UNSET_277) X(UNSET_278) X(UNSET_279) X(UNSET_280)     \
    X(UNSET_281) X(UNSET_282) X(UNSET_283) X(UNSET_284) X(UNSET_285) X(UNSET_286) X(UNSET_287)     \
    X(UNSET_288) X(UNSET_289) X(UNSET_290) X(UNSET_291) X(UNSET_292) X(UNSET_293) X(UNSET_294)     \
    X(UNSET_295) X(UNSET_296) X(UNSET_297) X(UNSET_298) X(UNSET_299) X(UNSET_300) X(UNSET_301)     \
    X(UNSET_302) X(UNSET_303) X(UNSET_304) X(UNSET_305) X(UNSET_306) X(UNSET_307) X(UNSET_308)     \
    X(UNSET_309) X(UNSET_310) X(UNSET_311) X(UNSET_312) X(UNSET_313) X(UNSET_314) X(UNSET_315)

class Build : public virtual java::lang::Object {
    VM_INTERFACE(Build)

#define VX_BUILD_STATIC(name) VM_STATIC(java::lang::String, name);
#define VX_BUILD_SET_STATIC(name, value) VX_BUILD_STATIC(name)
    VX_BUILD_PROPERTIES(VX_BUILD_SET_STATIC)
    VX_BUILD_UNSET_PROPERTIES(VX_BUILD_STATIC)
#undef VX_BUILD_SET_STATIC
#undef VX_BUILD_STATIC
};

} // namespace generated

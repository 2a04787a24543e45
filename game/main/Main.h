#pragma once
// main.Main: the game's hub. One object, made by the MIDlet's first start;
// the canvas reaches the game through it every frame, and its statics are
// the context every scene and object reads: the canvas, the scene manager,
// the save data, the shared random source, text renderer and text table,
// the bitmap-font cache and the sound wrappers. It makes the scene manager
// on the first frame, centres the 240 x 320 picture on the screen, and shows
// the loading picture while a scene enters.
//
// Canvas thread only, except closeSound and stop, which destroyApp also
// calls on the application manager's thread.

#include <cstdint>

#include "generated/RP.h"
#include "global/GameGlobals.h"
#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "main/Game.h"
#include "tq/Gob.h"
#include "tq/MediaManager.h"
#include "tq/TqCanvas.h"
#include "tq/util/FastRandom.h"
#include "tq/util/text/RichFont.h"
#include "tq/util/text/Translation.h"
#include "ui/ResManager.h"
#include "vm/VMArray.h"

namespace scene {
class SceneManager;
}

namespace main {

class Main : public virtual java::lang::Object {
    VM_CLASS(Main, java::lang::Object)

    using Graphics = javax::microedition::lcdui::Graphics;
    using IntArray = VMArray<int32_t, 1>;
    using GobTable = VMArray<tq::Gob, 2>;

    // The logical picture.
    static constexpr int32_t WIDTH = 240;
    static constexpr int32_t HEIGHT = 320;
    // Gob set of each bitmap font, by font number.
    static constexpr int32_t FONT_SETS[] = {generated::RP::FONT_LABEL, generated::RP::FONT_BODY};
    static constexpr int32_t FONT_COUNT = 2;
    // Gob 0 of this set is the loading picture.
    static constexpr int32_t LOADING_PICTURE_SET = generated::RP::LOADING;
    // The music: this resource in sound slot 3, played on channel 1.
    static constexpr int32_t MUSIC_RESOURCE = generated::RP::MENU_MUSIC;
    static constexpr int32_t MUSIC_SOUND = 3;
    static constexpr int32_t MUSIC_CHANNEL = 1;
    // Kept playing by stopOtherChannels.
    static constexpr int32_t KEPT_CHANNEL = 2;
    // Sound slots and channels of the sound manager.
    static constexpr int32_t SOUND_SLOTS = 10;

    // The constructor body: constant tables, random source, save data,
    // resource cache, system font, then bitmap font 0.
    VMPtr<Main> init(VMPtr<tq::TqCanvas> gameCanvas);

    // Makes the scene manager on the first call, then updates it; nothing
    // while paused.
    virtual void update();
    virtual void resume();
    // Stops every channel but KEPT_CHANNEL when sound is on and a stop is
    // pending.
    virtual void stopOtherChannels();
    // The play scene gets its pause call, other scenes the music again;
    // nothing before the scene manager exists.
    virtual void afterResume();
    // Loads the music anew for another id; starts nothing.
    virtual void playMusic(int32_t id);
    virtual void replayMusic();
    // Forgets the Gob set of a font.
    virtual void releaseGobSet(int32_t fontNumber);
    virtual void soundOff();
    // Makes the sound manager on first use and loads the music (endless);
    // replayMusic starts it.
    virtual void soundOn(int32_t id);
    virtual void stopAllSounds();
    // Loads the font's glyphs when missing and hands them to font unless
    // its set is the one font already has.
    virtual void selectFont(int32_t fontNumber);
    // The layout pass when pending, then the scene manager in the picture's
    // coordinates.
    virtual void paint(VMPtr<Graphics> g);
    virtual void closeSound();
    virtual void loadFont(int32_t fontNumber);
    virtual void loadTexts(int32_t id);
    virtual void pause();

    // Drops the shared context (the exit path).
    static void stop();
    // |nextInt()| of random; the smallest int, which has no positive
    // counterpart, comes back as it is (callers that index take |r % n|).
    static int32_t nextRandomAbs();
    // The play's sound effects (a part destroyed, a boss falling): none.
    static void playEffect(int32_t effect);

    VMField<global::GameGlobals> globals;
    VMField<tq::MediaManager> mediaManager;
    bool paused = false;
    // [font number][glyph]
    VMField<GobTable> fontGlyphs;

    VM_STATIC(Main, instance);
    VM_STATIC(tq::TqCanvas, canvas);
    VM_STATIC(scene::SceneManager, sceneManager);
    VM_STATIC(Game, game);
    VM_STATIC(tq::util::FastRandom, random);
    VM_STATIC(tq::util::text::RichFont, font);
    VM_STATIC(ui::ResManager, resManager);
    VM_STATIC(tq::util::text::Translation, texts);
    static inline int32_t textId = 0;
    // Per font number: the Gob set held in fontGlyphs, -1 when released.
    VM_STATIC(IntArray, loadedFontIds);
    static inline int32_t currentFontId = 0;
    static inline int32_t musicId = 0;
    static inline bool soundEnabled = false;
    static inline bool stopOthersPending = false;
    static inline bool layoutPending = true;
    static inline bool loadingPicturePending = true;
    // The picture's top-left corner inside the canvas's drawing area.
    static inline int32_t offsetX = 0;
    static inline int32_t offsetY = 0;

    VM_FIELDS(globals, mediaManager, fontGlyphs)
};

} // namespace main

#include "scene/SceneManager.h"

#pragma once
// tq.TqCanvas: the engine's game canvas. A GameCanvas that runs the game on
// a thread of its own: it waits for the first show, then once a frame
// handles size changes and suspend/resume, paces the frame between its
// frame-time bounds, lets the game update, paints it into a centred
// viewport and flushes. It folds platform keys into numbered game keys
// latched once a frame, and offers drawing, text and static services
// (numbers, byte buffers, PNG writing, record stores).
//
// Threads: the canvas thread runs run() and everything it calls (update,
// paint, the sound tick); the UI thread delivers show, hide, size, key and
// pointer callbacks. Both run under the VM lock, which sleep, yield and the
// flush give up.
//
// Locks, in the order they may be taken:
//   the pointer key manager's lock (tq::input) before the key lock;
//   keyLock: the key buffers and their latch; nothing else is taken while
//     it is held;
//   the monitor of canvasThread: requestedActivity and activityRequestTime;
//     nothing else is taken while it is held;
//   the canvas's own monitor (the HTTP session reference) before
//     networkLock (the network result and the queued calls).
// The pacing fields, applicationState, started, sizeChangePending and
// refreshRequested are plain values shared without a lock.
//
// The static services are non-re-entrant; the VM lock keeps them to one
// thread.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "java/lang/Runnable.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/Thread.h"
#include "java/lang/Throwable.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "javax/microedition/lcdui/game/GameCanvas.h"
#include "java/lang/Throwable.h"
#include "java/util/Vector.h"
#include "javax/microedition/io/Connector.h"
#include "javax/microedition/midlet/MIDlet.h"
#include "tq/Gob.h"
#include "tq/MediaManager.h"
#include "tq/TqCanvasAnimations.h"
#include "tq/TqCanvasLayers.h"
#include "tq/platform/PlatformExtension.h"
#include "tq/util/text/RichFont.h"
#include "vm/VMArray.h"

namespace tq {

class TqCanvas_TQC_NetworkSession;
class TqCanvas_TQC_SocketSession;
class AnimSet;

class TqCanvas : public javax::microedition::lcdui::game::GameCanvas,
                 public virtual java::lang::Runnable {
    VM_ABSTRACT_CLASS(TqCanvas, javax::microedition::lcdui::game::GameCanvas)

    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using Graphics = javax::microedition::lcdui::Graphics;
    using Image = javax::microedition::lcdui::Image;
    using MIDlet = javax::microedition::midlet::MIDlet;

    // The key table and the countdown counter.
    static void staticInit();

    // ---- Canvas thread and frame loop ----

    // Application states.
    static constexpr int8_t STATE_CREATED = 0;
    static constexpr int8_t STATE_RUNNING = 3;
    static constexpr int8_t STATE_STOPPING = 4;
    // Activity requests and states.
    static constexpr int32_t ACTIVITY_NONE = -1;
    static constexpr int32_t ACTIVITY_SUSPEND = 1;
    static constexpr int32_t ACTIVITY_RESUME = 2;
    static constexpr int32_t ACTIVITY_EXIT = 3;
    // A resume is carried out only this long after it was requested.
    static constexpr int32_t RESUME_SETTLE_MS = 750;

    // The constructor body: key buffers, frame values, full screen, the
    // canvas thread started (it waits for the first show), the screen size.
    VMPtr<TqCanvas> init(VMPtr<MIDlet> midlet);

    // The canvas thread: waits for the first show, sends notice 0, then
    // runs frames until the state is 4.
    void run() override;
    // A resume request, and the loop may start.
    void showNotify() override;
    // A suspend request.
    void hideNotify() override;
    // A full redraw and a size change for the next frame.
    void sizeChanged(int32_t w, int32_t h) override;
    virtual void requestRefresh();
    // 1 suspend, 2 resume (both dropped unless the loop runs), 3 exit; any
    // other value goes to applicationStateChanged at once.
    virtual void requestActivityState(int32_t request);
    // The notice hook (0 started, 1 suspended, 2 resumed, 3 exit, 4 size
    // read again, 5 resume settled). The base shuts down on 3 and clears
    // the keys with a full redraw on 0 to 2.
    virtual void applicationStateChanged(int32_t state);
    // The game's frame step and drawing (into the viewport).
    virtual void update() = 0;
    void paint(VMPtr<Graphics> g) override = 0;
    // Stops every sound channel, hands url to the MIDlet, and requests the
    // exit when the platform says the application must end first.
    virtual bool openUrl(VMPtr<java::lang::String> url);
    virtual bool openUrlAlias(VMPtr<java::lang::String> url);

    // One pass of the loop; false when the canvas stopped inside the game's
    // update or the sound tick (the thread then ends without clean-up).
    bool runFrame();
    // The loop's size-change step.
    void processSizeChange();
    // The suspend/resume machine; may keep the canvas thread while a
    // resume settles.
    void processPauseResume();
    // Paces the frame and sets frameTime; on the canvas thread once per
    // shown frame.
    void updateFrameTiming();
    // Blackens the margins when asked, translates and clips g to the
    // viewport and calls paint; no Graphics only requests a refresh.
    void renderFrame(VMPtr<Graphics> g);
    void recomputeFrameTimeBounds();
    // State 4, thread forgotten, resource pack and sound manager closed.
    void shutdown();
    // Yields first for 50 ms or more; an interruption ends it quietly.
    static void sleep(int32_t ms);

    // Replays: a frame time above 0 is reported to the game in place of
    // the measured one (pacing still runs); 0 measures again.
    void pinFrameTime(int32_t ms) { pinnedFrameTime = ms; }
    // The frame time the game sees: the pinned one when set, else ms.
    int32_t reportedFrameTime(int32_t ms) const { return pinnedFrameTime > 0 ? pinnedFrameTime : ms; }

    VM_STATIC(TqCanvas, instance);
    VM_STATIC(java::lang::Thread, canvasThread);
    static inline int8_t applicationState = STATE_CREATED;
    static inline bool started = false;
    static inline int32_t screenWidth = 0;
    static inline int32_t screenHeight = 0;

    VMField<MIDlet> midlet;
    // The sound manager; its Runnable view is the per-frame tick.
    VMField<MediaManager> mediaManager;
    int32_t requestedActivity = ACTIVITY_NONE;
    int32_t activityState = ACTIVITY_RESUME;
    int64_t activityRequestTime = 0;
    bool sizeChangePending = false;
    bool refreshRequested = false;
    bool clearBorders = false;
    bool resetTiming = false;
    int32_t frameTimeBoundA = 10;
    int32_t frameTimeBoundB = 100;
    int32_t minFrameTime = 10;
    int32_t maxFrameTime = 100;
    int32_t frameBudget = 0;
    int64_t lastFrameTime = 0;
    int32_t frameTime = 10;
    int32_t pinnedFrameTime = 0;

    // ---- Game keys ----

    // Key state bits.
    static constexpr int32_t KEY_COUNT_MASK = 0x3F;
    static constexpr int32_t KEY_HELD = 0x40;
    static constexpr int32_t KEY_RELEASED = 0x80;
    // A mask not computed since the last latch (bit 0 is never part of one).
    static constexpr int32_t MASK_UNKNOWN = 1;

    void keyPressed(int32_t keyCode) override;
    void keyReleased(int32_t keyCode) override;
    void keyRepeated(int32_t keyCode) override;
    // Type 1 press, 2 release; letters are folded onto the keypad keys.
    virtual void handleKey(int32_t code, int32_t type);
    // Every game key bound to code; a key already held is not counted
    // again.
    virtual void setKeyState(int32_t code, bool pressed);
    virtual void setGameKey(int32_t index, bool pressed);
    // By key number (1..63, -1..-64), for touch regions and buttons.
    virtual void pressKey(int32_t key);
    virtual void releaseKey(int32_t key);
    // Swaps the buffers: the frame sees this frame's presses, held keys
    // stay held in the collecting buffer.
    virtual void latchKeys();
    // Forgets every key; keys held now read as released after the next
    // latch.
    virtual void resetKeys();
    virtual void syncKeys();
    virtual int32_t getKeyState(int32_t key);
    virtual int32_t getPressCount(int32_t key);
    virtual bool wasPressed(int32_t key);
    virtual bool isHeld(int32_t key);
    virtual bool wasReleased(int32_t key);
    // Bit i for game key i (1..31) whose frame state has any of the bits.
    virtual int32_t getPressedMask();
    virtual int32_t getHeldMask();
    virtual int32_t getReleasedMask();
    // The lowest game key 1..31 whose frame state has any of bits, or 0.
    virtual int32_t firstKey(int32_t bits);
    virtual int32_t getFirstPressedKey();
    virtual int32_t getFirstHeldKey();
    virtual int32_t getFirstReleasedKey();
    virtual bool getStatusByte();
    virtual bool getStatusByteAlias();
    virtual int32_t getInitByte();
    virtual int32_t getInitByteAlias();
    // keyPressed then keyReleased.
    virtual void pressAndReleaseKey(int32_t keyCode);
    // -1 for 0 and codes outside -64..63; -1..-64 map to 64..127.
    static int32_t keyCodeToIndex(int32_t code);

    // Platform key code of each game key, 0 for none.
    VM_STATIC(IntArray, keyCodes);

    VMField<java::lang::Object> keyLock;
    VMField<ByteArray> collectingKeys;
    VMField<ByteArray> frameKeys;
    bool anyKeyPressed = false;
    bool anyKeyPressedFrame = false;
    int32_t pressedMask = MASK_UNKNOWN;
    int32_t heldMask = MASK_UNKNOWN;
    int32_t releasedMask = MASK_UNKNOWN;
    // Set at construction only.
    int8_t initByte = 0;

    // ---- Touch input: the pointer-input managers (tq::input) ----

    void pointerPressed(int32_t x, int32_t y) override;
    void pointerReleased(int32_t x, int32_t y) override;
    void pointerDragged(int32_t x, int32_t y) override;
    // The managers' set-up when the loop starts.
    virtual void startPointerInput();
    // Tells the managers that the viewport changed.
    virtual void refreshPointerGeometry();

private:
    // The managers' share of the loop's end, the latch, the key reset and
    // the suspend/resume machine.
    void stopPointerInput();
    void latchKeyRegions();
    void resetKeyRegions();
    void holdPointerQueue();
    void blockPointerInput();
    void unblockPointerInput();

    int32_t computeMask(int32_t bits);
    bool isShownNow() { return isShown(); }

public:
    // ---- Viewport, drawing and text ----

    // Reads the screen size and applies the requested viewport again.
    virtual bool refreshScreenSize();
    virtual int32_t getScreenWidth();
    virtual int32_t getScreenHeight();
    // Width or height below 1: the whole screen. Centred (truncating), a
    // full redraw follows.
    virtual void setViewport(int32_t width, int32_t height);
    virtual void setViewportAlias(int32_t width, int32_t height);
    virtual void setViewportAlias2(int32_t width, int32_t height);
    virtual void setViewportOffset(int32_t x, int32_t y);
    virtual void setViewportOffsetAlias(int32_t x, int32_t y);
    virtual void setViewportOffsetX(int32_t x);
    virtual void setViewportOffsetXAlias(int32_t x);
    virtual void setViewportOffsetY(int32_t y);
    virtual void setViewportOffsetYAlias(int32_t y);
    virtual void setViewportWidth(int32_t width);
    virtual void setViewportWidthAlias(int32_t width);
    virtual void setViewportWidthAlias2(int32_t width);
    virtual void setViewportHeight(int32_t height);
    virtual void setViewportHeightAlias(int32_t height);
    virtual void setViewportHeightAlias2(int32_t height);
    virtual int32_t getViewportWidth();
    virtual int32_t getViewportWidthAlias();
    virtual int32_t getViewportHeight();
    virtual int32_t getViewportHeightAlias();
    virtual int32_t getViewportOffsetX();
    virtual int32_t getViewportOffsetXAlias();
    virtual int32_t getViewportOffsetY();
    virtual int32_t getViewportOffsetYAlias();
    virtual void clipToViewport(VMPtr<Graphics> g);
    // Clamps the rectangle to the viewport unless the viewport sits at the
    // screen's origin.
    virtual void setViewportClip(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h);

    // The one platform extension (an ExtendedGraphics made on first use).
    static VMPtr<platform::PlatformExtension> getPlatformExtension();
    VM_STATIC(platform::PlatformExtension, platformExtension);

    static void fillHorizontalGradient(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                       int32_t h, int32_t colorFrom, int32_t colorTo);
    static void fillVerticalGradient(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                     int32_t h, int32_t colorFrom, int32_t colorTo);
    virtual void fillVerticalGradientRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                          int32_t h, int32_t colorFrom, int32_t colorTo);
    virtual void fillVerticalGradientRectAlias(VMPtr<Graphics> g, int32_t x, int32_t y,
                                               int32_t w, int32_t h, int32_t colorFrom,
                                               int32_t colorTo);
    // A vertical gradient into a mutable image.
    virtual void fillImageGradient(VMPtr<Image> image, int32_t x, int32_t y, int32_t w, int32_t h,
                                   int32_t colorFrom, int32_t colorTo);
    virtual void fillRectAlpha(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h,
                               int32_t alpha);
    virtual void fillTriangleAlpha(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2,
                                   int32_t y2, int32_t x3, int32_t y3, int32_t alpha);
    virtual void setTransform(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, float scaleX,
                              float scaleY);
    virtual void resetTransform(VMPtr<Graphics> g);
    virtual void fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                              int32_t x3, int32_t y3);
    // drawRGB with the translation folded into the coordinates.
    static void drawRGB(VMPtr<Graphics> g, VMPtr<IntArray> rgb, int32_t offset,
                        int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h,
                        bool processAlpha);
    static void drawImageRegion(VMPtr<Image> image, int32_t srcX, int32_t srcY, int32_t w,
                                int32_t h, VMPtr<Graphics> g, int32_t x, int32_t y);
    static VMPtr<Image> createRGBImage(VMPtr<IntArray> argb, int32_t width, int32_t height,
                                       bool processAlpha);
    virtual VMPtr<Image> createImage(int32_t width, int32_t height, bool withAlpha,
                                     int32_t fillColor);

    // ---- Text in the default font ----
    // The canvas's font (getFont): one system-font RichFont made on first
    // use; every text operation below forwards to it unchanged.
    using GobArray = VMArray<Gob, 1>;
    using CharArray = VMArray<char16_t, 1>;
    virtual VMPtr<util::text::RichFont> getDefaultFont();
    virtual void setDefaultFontGlyphs(VMPtr<GobArray> glyphs);
    virtual VMPtr<GobArray> getDefaultFontGlyphs();
    // 0..5: small, medium, large plain, then bold; drops the glyphs.
    virtual void setDefaultSystemFont(int32_t index);
    virtual int32_t getDefaultSystemFont();
    // 0 none, 3 rotated 180, 5 rotated 90, 6 rotated 270.
    virtual void setFontTransform(int32_t transform);
    virtual int32_t getFontTransform();
    virtual int32_t getFontHeight();
    virtual int32_t getFontBaseline();
    virtual VMPtr<Gob> getGlyph(char16_t c);
    virtual int32_t charWidth(char16_t c);
    virtual int32_t stringWidth(VMPtr<java::lang::String> s);
    virtual int32_t substringWidth(VMPtr<java::lang::String> s, int32_t offset, int32_t length);
    virtual int32_t charsWidth(VMPtr<CharArray> chars, int32_t offset, int32_t length);
    virtual int32_t stringBufferWidth(VMPtr<java::lang::StringBuffer> sb);
    // Heights of the ink, measured from the topmost glyph.
    virtual int32_t charHeight(char16_t c);
    virtual int32_t stringHeight(VMPtr<java::lang::String> s);
    virtual int32_t substringHeight(VMPtr<java::lang::String> s, int32_t offset, int32_t length);
    virtual int32_t charsHeight(VMPtr<CharArray> chars, int32_t offset, int32_t length);
    virtual int32_t stringBufferHeight(VMPtr<java::lang::StringBuffer> sb);
    // out[0..3]: x, y, width and height of the text drawn at (x, y).
    virtual void getStringBounds(VMPtr<java::lang::String> s, int32_t x, int32_t y,
                                 VMPtr<IntArray> out, int32_t anchor);
    virtual void getStringBufferBounds(VMPtr<java::lang::StringBuffer> sb, int32_t x, int32_t y,
                                       VMPtr<IntArray> out, int32_t anchor);
    virtual void drawString(VMPtr<Graphics> g, VMPtr<java::lang::String> s, int32_t x, int32_t y,
                            int32_t anchor);
    virtual void drawStringBuffer(VMPtr<Graphics> g, VMPtr<java::lang::StringBuffer> sb,
                                  int32_t x, int32_t y, int32_t anchor);
    virtual void drawSubstring(VMPtr<Graphics> g, VMPtr<java::lang::String> s, int32_t offset,
                               int32_t length, int32_t x, int32_t y, int32_t anchor);
    virtual void drawChars(VMPtr<Graphics> g, VMPtr<CharArray> chars, int32_t offset,
                           int32_t length, int32_t x, int32_t y, int32_t anchor);
    virtual void drawChar(VMPtr<Graphics> g, char16_t c, int32_t x, int32_t y, int32_t anchor);
    // value in decimal ('-' first), padded with '0' to minDigits digits.
    virtual void drawNumber(VMPtr<Graphics> g, int32_t value, int32_t minDigits, int32_t x,
                            int32_t y, int32_t anchor);

    int32_t requestedViewportWidth = -1;
    int32_t requestedViewportHeight = -1;
    int32_t viewportWidth = 0;
    int32_t viewportHeight = 0;
    int32_t viewportOffsetX = 0;
    int32_t viewportOffsetY = 0;

    // ---- Accessors, forwarders and utilities ----

    virtual void setFrameTimeBoundA(int32_t ms);
    virtual void setFrameTimeBoundAAlias(int32_t ms);
    virtual void setFrameTimeBoundB(int32_t ms);
    virtual void setFrameTimeBoundBAlias(int32_t ms);
    virtual int32_t getFrameTime();
    virtual int32_t getFrameTimeAlias();
    // The next pacing step restarts; frameTime falls to the minimum.
    virtual void resetFrameTiming();
    virtual void resetFrameTimingAlias();
    virtual void requestRefreshAlias();

    // The world origin of the scene, stored negated.
    virtual void setMapPosition(int32_t x, int32_t y);
    virtual int32_t getMapX();
    virtual int32_t getMapY();
    // Sizes below 0 count as 0 and also release the tile map (true).
    virtual bool setSceneSize(int32_t width, int32_t height);

    virtual bool setSystemIdleEnabled(bool enabled);
    static int32_t getPlatformOrientation();
    virtual int32_t getOrientation();
    static bool setPlatformOrientation(int32_t orientation);
    virtual int32_t getResourceByte(int32_t id);
    virtual int32_t getResourceInt(int32_t id);
    virtual int32_t getTransparentIndex(int32_t id);
    virtual void closeResourcePack();
    virtual bool openResourcePackFromRecord(int32_t storeId);
    virtual bool openResourcePackFromRecordAlias(int32_t storeId);
    static int64_t currentTimeMillis();

    // The countdown byte: returns it and counts down, stopping at 40 (which
    // answers 0).
    static int32_t nextCountdownValue();
    static inline int8_t countdownValue = 63;

    int32_t mapOriginX = 0;
    int32_t mapOriginY = 0;
    int32_t sceneWidth = 0;
    int32_t sceneHeight = 0;

private:
    // The tile map's share of setSceneSize.
    void releaseTileMap();

public:
    // ---- Scene layers (a TqCanvasLayers made on first use) ----

    // An empty map; the map position goes back to (0, 0).
    virtual void createTileMap(int32_t columns, int32_t rows, VMPtr<Image> tiles,
                               int32_t tileWidth, int32_t tileHeight);
    virtual bool setTileSet(VMPtr<Image> tiles, int32_t tileWidth, int32_t tileHeight);
    virtual int32_t getColumns();
    virtual int32_t getRows();
    virtual int32_t getTileWidth();
    virtual int32_t getTileHeight();
    virtual void setCell(int32_t col, int32_t row, int32_t tile);
    virtual int32_t getCell(int32_t col, int32_t row);
    virtual void fillCells(int32_t col, int32_t row, int32_t numCols, int32_t numRows,
                           int32_t tile);
    virtual int32_t createAnimatedTile(int32_t staticTile);
    virtual void setAnimatedTile(int32_t animatedTile, int32_t staticTile);
    virtual int32_t getAnimatedTile(int32_t animatedTile);
    virtual void initScenery(int32_t capacity);
    virtual void addScenery(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform);
    virtual void initSprites(int32_t capacity);
    virtual void addSprite(VMPtr<Gob> gob, int32_t x, int32_t y, int32_t transform);
    // On the scene Graphics that paintScene sets.
    virtual void paintLayers(int32_t worldX, int32_t worldY, int32_t screenX, int32_t screenY,
                             int32_t width, int32_t height);
    // The layers into the scene area (setSceneSize) of g, the map's corner
    // at the map position.
    virtual void paintScene(VMPtr<Graphics> g);
    VMPtr<TqCanvasLayers> sceneLayers();

    VMField<TqCanvasLayers> layers;

    // ---- Animation frames (a TqCanvasAnimations made on first use) ----

    using ShortArray = VMArray<int16_t, 1>;
    VMPtr<TqCanvasAnimations> animationStore();
    // The store's set and slot operations; loadAnimationSet reads the set
    // from the current pack unless it is loaded, closing the stream after.
    virtual void loadAnimationSet(int32_t resourceId);
    virtual void loadAnimationSetAlias(int32_t resourceId);
    virtual void compactAnimationSets();
    virtual void compactAnimationSetsAlias();
    virtual void startAnimation(int32_t slot, int32_t resourceId, int32_t animation);
    virtual void startAnimationAlias(int32_t slot, int32_t resourceId, int32_t animation);
    virtual bool updateAnimation(int32_t slot, int32_t elapsedMs);
    virtual bool updateAnimationAlias(int32_t slot, int32_t elapsedMs);
    // The engine's animation set stored under resourceId.
    virtual VMPtr<AnimSet> loadAnimSet(int32_t resourceId);
    // By player slot: the slot's current frame (its set made current); a
    // slot whose animation has no keys does nothing and answers 0.
    virtual void paintSlot(VMPtr<Graphics> g, VMPtr<Gob::GobArray> gobs, int32_t slot, int32_t x,
                           int32_t y, int32_t transform);
    virtual void paintSlotAlias(VMPtr<Graphics> g, VMPtr<Gob::GobArray> gobs, int32_t slot,
                                int32_t x, int32_t y, int32_t transform);
    // The frame's bounds moved by (x, y).
    virtual void getSlotFrameBounds(VMPtr<Gob::GobArray> gobs, int32_t slot, int32_t x, int32_t y,
                                    int32_t transform, VMPtr<IntArray> out);
    virtual void getSlotFrameBoundsAlias(VMPtr<Gob::GobArray> gobs, int32_t slot, int32_t x,
                                         int32_t y, int32_t transform, VMPtr<IntArray> out);
    virtual int32_t getSlotFrameBoxes(VMPtr<ShortArray> out, int32_t slot, int32_t transform);
    // Only boxes of `type`.
    virtual int32_t getSlotFrameBoxes(VMPtr<ShortArray> out, int32_t slot, int32_t transform,
                                      int32_t type);
    // Four shorts per part while they fit; the frame's part count.
    virtual int32_t getSlotParts(VMPtr<ShortArray> out, int32_t slot, int32_t transform);
    // By loaded set and frame number (the set made current).
    virtual void paintSetFrame(VMPtr<Graphics> g, VMPtr<Gob::GobArray> gobs, int32_t setId,
                               int32_t frame, int32_t x, int32_t y, int32_t transform);
    virtual void getSetFrameBounds(VMPtr<Gob::GobArray> gobs, int32_t setId, int32_t frame,
                                   int32_t transform, VMPtr<IntArray> out);
    virtual int32_t getSetFrameBoxes(VMPtr<ShortArray> out, int32_t setId, int32_t frame,
                                     int32_t transform);
    virtual int32_t getSetFrameBoxes(VMPtr<ShortArray> out, int32_t setId, int32_t frame,
                                     int32_t transform, int32_t type);

    VMField<TqCanvasAnimations> animations;

    // ---- Settings, device calls and logging ----

    // Under the canvas's monitor: the first call turns sound and both
    // vibration switches on; later calls change nothing.
    virtual void initDefaultSettings(bool changed);
    virtual void setVibrationEnabled(bool enabled);
    virtual void setAlertVibrationEnabled(bool enabled);
    virtual bool isVibrationEnabled();
    virtual bool isAlertVibrationEnabled();
    // Through the display when the switch is on; failures are dropped.
    virtual void vibrate(int32_t durationMs);
    virtual void vibrateAlert(int32_t durationMs);
    // The platform's answer (false when not supported), after a 20 ms
    // pause.
    virtual bool setOrientation(int32_t orientation);
    // Asks for the MIDlet to be started seconds from now (0: no time);
    // false when the platform refuses.
    virtual bool registerWakeUpAlarm(int32_t seconds);
    // Logging entry points; each passes a null Throwable to its variant,
    // and the variants print nothing in this build.
    virtual void logInfo(int32_t level, VMPtr<java::lang::String> message);
    virtual void logInfo(int32_t level, VMPtr<java::lang::String> message,
                         VMPtr<java::lang::Throwable> failure);
    virtual void logWarning(int32_t level, VMPtr<java::lang::String> message);
    virtual void logWarning(int32_t level, VMPtr<java::lang::String> message,
                            VMPtr<java::lang::Throwable> failure);
    virtual void logError(int32_t level, VMPtr<java::lang::String> message);
    virtual void logError(int32_t level, VMPtr<java::lang::String> message,
                          VMPtr<java::lang::Throwable> failure);
    virtual void logDetail(int32_t level, VMPtr<java::lang::String> message,
                           VMPtr<java::lang::Object> detail);
    virtual void logDetail(int32_t level, VMPtr<java::lang::String> message,
                           VMPtr<java::lang::Object> detail, VMPtr<java::lang::Throwable> failure);
    virtual void logTrace(int32_t level, VMPtr<java::lang::String> message,
                          VMPtr<java::lang::Object> detail);
    virtual void logTrace(int32_t level, VMPtr<java::lang::String> message,
                          VMPtr<java::lang::Object> detail, VMPtr<java::lang::Throwable> failure);

    bool settingsInitialised = false;
    bool soundSetting = false;
    bool vibrationEnabled = false;
    bool alertVibrationEnabled = false;

    // ---- Texts and resources ----

    // The text table of resource id decoded once into textCache; -1 only
    // empties the table. A damaged table throws IOException and leaves it
    // empty.
    virtual void loadTextTable(int32_t id);
    virtual void loadTextTableAlias(int32_t id);
    // Decodes a raw table (textData, textOffsets) into textCache.
    virtual void decodeAllTexts();
    // Text `index`, or null outside the table.
    virtual VMPtr<java::lang::String> getText(int32_t index);
    virtual VMPtr<java::lang::String> getTextAlias(int32_t index);

    VMField<VMArray<java::lang::String, 1>> textCache;
    VMField<ByteArray> textData;
    VMField<VMArray<char16_t, 1>> textOffsets;

    virtual VMPtr<Gob::GobArray> loadGobs(int32_t id);
    virtual VMPtr<Gob::GobArray> loadGobs(int32_t id, VMPtr<ByteArray> palette);
    virtual VMPtr<Image> loadImage(int32_t id);
    virtual VMPtr<Image> loadImage(int32_t id, VMPtr<ByteArray> palette);
    virtual VMPtr<ByteArray> getResourceBytes(int32_t id);
    virtual VMPtr<java::io::DataInputStream> openResourceStream(int32_t id);
    virtual bool openPack(VMPtr<java::io::DataInputStream> in);
    virtual bool openPackAlias(VMPtr<java::io::DataInputStream> in);
    virtual VMPtr<ByteArray> getPalette(int32_t id);
    virtual VMPtr<ByteArray> buildPack(VMPtr<VMArray<int8_t, 2>> entries, VMPtr<ByteArray> types);
    virtual VMPtr<ByteArray> buildBitmap(int32_t id);
    virtual VMPtr<ByteArray> loadRecordStoreAlias(int32_t id);
    virtual bool saveRecordStoreAlias(int32_t id, VMPtr<ByteArray> data);
    virtual void clipToViewportAlias(VMPtr<Graphics> g);
    virtual void setViewportClipAlias(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                      int32_t h);
    // drawImageRegion with the target first.
    virtual void drawImageRegionAt(VMPtr<Graphics> g, int32_t x, int32_t y, VMPtr<Image> image,
                                   int32_t srcX, int32_t srcY, int32_t w, int32_t h);

    // ---- Static services ----

    // The decimal digits of value, without leading zeros ('-' first when
    // negative).
    static void appendNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value);
    // The decimal form of value inserted at offset; values below 65536 are
    // padded with '0' to minDigits digits (after a '-').
    static void insertPaddedNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value,
                                   int32_t minDigits, int32_t offset);

    // Readers of the static input buffer; past its end they throw
    // ArrayIndexOutOfBoundsException.
    static int32_t readByte();
    // Four bytes, most significant first.
    static int32_t readInt();
    static bool readBoolean();

    // Writers of the static output buffer; past its end they throw
    // ArrayIndexOutOfBoundsException and write nothing.
    static void pngWriteByte(int32_t b);
    static void writeShortLE(int32_t v);
    static void writeIntLE(int32_t v);

    // createRGBImage under the engine library's other name for it.
    static VMPtr<javax::microedition::lcdui::Image> createImageFrom(VMPtr<IntArray> argb,
                                                                    int32_t width, int32_t height,
                                                                    bool processAlpha);
    static void getRGB(VMPtr<javax::microedition::lcdui::Image> image, VMPtr<IntArray> rgb,
                       int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t width,
                       int32_t height);
    // 1 every pixel opaque, 3 some pixel translucent, else 2 (top four alpha
    // bits). A region outside the array throws ArrayIndexOutOfBoundsException.
    static int32_t getTransparencyType(VMPtr<IntArray> argb, int32_t offset, int32_t scanlength,
                                       int32_t x, int32_t y, int32_t width, int32_t height);
    // True when some pixel's top four bits are not all set.
    static bool hasTranslucentPixels(VMPtr<IntArray> argb);
    // One index per pixel, rows top to bottom; palette receives the distinct
    // colours in order of first appearance, the (last) magenta key moved to
    // entry 0. More colours than palette entries throw
    // ArrayIndexOutOfBoundsException, as the palette's store would.
    static VMPtr<ByteArray> toPalettedIndices(VMPtr<javax::microedition::lcdui::Image> image,
                                              VMPtr<IntArray> palette);

    // The canvas's font, made on first use as a system-font RichFont.
    static VMPtr<util::text::RichFont> getFont();
    VM_STATIC(util::text::RichFont, canvasFont);

    VM_STATIC(ByteArray, staticInput);
    static inline int32_t staticInputPosition = 0;
    VM_STATIC(ByteArray, staticOutput);
    static inline int32_t staticOutputPosition = 0;

private:
    // Stores the low `count` bytes of v, low byte first.
    static void writeLE(uint32_t v, int32_t count);

    // ---- Big-endian writers, PNG writer, checksums, packed constants ----
public:
    // Writers of the static output buffer, most significant byte first;
    // past its end they throw ArrayIndexOutOfBoundsException and write
    // nothing.
    static void pngWriteShort(int32_t v);
    static void pngWriteInt(int32_t v);
    // 1 for true, else 0.
    static void writeBoolean(bool b);

    // A complete uncompressed PNG of 8-bit palette indices: row y starts at
    // offset + y * scanLength; palette holds PLTE data followed by four CRC
    // bytes; transparentIndex >= 0 writes a tRNS chunk making that entry
    // clear. The static output buffer and position are restored, also when
    // a range outside pixels or palette throws.
    static VMPtr<ByteArray> createPalettedPng(VMPtr<ByteArray> pixels, int32_t offset,
                                              int32_t scanLength, int32_t width, int32_t height,
                                              VMPtr<ByteArray> palette, int32_t transparentIndex);
    // createPalettedPng decoded into an immutable image.
    static VMPtr<javax::microedition::lcdui::Image>
    createPalettedImage(VMPtr<ByteArray> pixels, int32_t offset, int32_t scanLength, int32_t width,
                        int32_t height, VMPtr<ByteArray> palette, int32_t transparentIndex);
    // CRC-32 of a range (register from 0xFFFFFFFF, result inverted).
    static int32_t pngCrc32(VMPtr<ByteArray> buffer, int32_t offset, int32_t length);
    // Runs the CRC register over a range without inversion.
    static int32_t crc32Update(int32_t crc, VMPtr<ByteArray> buffer, int32_t offset,
                               int32_t length);
    // Adler-32 of a range continued from adler; length <= 0 returns adler.
    static int32_t adler32(int32_t adler, VMPtr<ByteArray> data, int32_t offset, int32_t length);
    // Rewrites the last four bytes of a palette array (PLTE data, then its
    // CRC) with the CRC of "PLTE" and the data.
    static void updatePaletteCrc(VMPtr<ByteArray> palette);
    // A byte array stored as text: the count, one character per byte's low
    // seven bits, then one character per seven bytes' top bits.
    static VMPtr<ByteArray> unpackByteArray(VMPtr<java::lang::String> packed);
    // Modified UTF-8 of data[offset, offset + length) as a String. A
    // sequence cut off by the end of the range ends the text; a byte that
    // cannot lead a sequence is skipped.
    static VMPtr<java::lang::String> decodeUtf8(VMPtr<ByteArray> data, int32_t offset,
                                                int32_t length);

    // CRC-32 table, built on first use.
    VM_STATIC(IntArray, crcTable);

    // ---- Text tables ----
    using StringArray = VMArray<java::lang::String, 1>;
    // Text `index` of a raw table: offsets[i] starts text i and offsets[i + 1]
    // ends it; when offsets[0] is not 0 each text follows a two-byte length
    // field that the offsets skip.
    static VMPtr<java::lang::String> decodeText(VMPtr<ByteArray> data, VMPtr<CharArray> offsets,
                                                int32_t index);
    // Reads a text table of `size` bytes (a count, then length-prefixed
    // texts) and decodes every text. A table whose texts do not fit its
    // size or its 16-bit offsets, or a negative count, throws IOException.
    static VMPtr<StringArray> readTextTable(VMPtr<java::io::DataInputStream> in, int32_t size);

    // ---- Numbers ----
    // Integer.parseInt(s, radix), or defaultValue for anything that is not
    // a number (null included).
    static int32_t parseIntRadix(VMPtr<java::lang::String> s, int32_t defaultValue, int32_t radix);
    static int32_t parseInt(VMPtr<java::lang::String> s, int32_t defaultValue);
    // Appends value padded with zeros to minDigits (as insertPaddedNumber).
    static void appendPaddedNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value,
                                   int32_t minDigits);

    // ---- Record stores named by number ----
    // Replaces store id (named by its decimal form) by data in records of
    // at most 4096 bytes; null only removes it. False when a record-store
    // operation failed; the store opened here is always closed.
    static bool saveRecordStore(int32_t id, VMPtr<ByteArray> data);
    static bool removeRecordStore(int32_t id);
    // Every record of store id in order, or null when it is missing or
    // cannot be read; the store opened here is always closed.
    static VMPtr<ByteArray> loadRecordStore(int32_t id);
    // Removes every store whose name is a decimal number; false when listing
    // or removing failed.
    static bool removeAllRecordStores();


private:
    // Stores the low `count` bytes of v, high byte first.
    static void writeBE(uint32_t v, int32_t count);
    // Throws ArrayIndexOutOfBoundsException unless [offset, offset + length)
    // lies inside a; a length of 0 or less passes.
    static void checkRange(VMPtr<ByteArray> a, int32_t offset, int32_t length);

    // ==== Queued calls and network sessions (TqCanvasNetwork.cpp) ====
    // Work finished on other threads reaches the game on the canvas thread:
    // a finished HTTP transfer and the queued calls wait under networkLock
    // and are delivered once a frame by processPendingCallbacks.
    // Lock order: the canvas's monitor before networkLock. Game code (the
    // result hook, queued calls) runs holding neither.
public:
    // Creates the network lock and the call queue; part of the canvas's
    // construction.
    void initNetwork();
    // Queues r for the canvas thread; any thread. Null throws
    // NullPointerException.
    virtual void scheduleRunnable(VMPtr<java::lang::Runnable> r);
    // On the canvas thread: hands a finished transfer to networkResult, then
    // runs the queued calls oldest first, also those they queue.
    virtual void processPendingCallbacks();
    // The game's hook for a finished transfer: the response code, or a
    // negative code naming the failed phase; data null when empty.
    virtual void networkResult(int32_t status, VMPtr<ByteArray> data);
    // Starts an HTTP exchange in place of the current one: GET when postData
    // is null, else POST. headers holds "name: value" lines, or null.
    virtual void startNetworkSession(VMPtr<java::lang::String> url,
                                     VMPtr<java::lang::String> headers, VMPtr<ByteArray> postData);
    virtual void startNetworkSession(VMPtr<java::lang::String> url,
                                     VMPtr<java::lang::String> headers);
    // Forgets the current exchange and any undelivered result.
    virtual void cancelNetworkSession();
    // The current exchange's expected length and bytes read; 0 without one.
    virtual int32_t getNetworkContentLength();
    virtual int32_t getNetworkBytesRead();
    // Opens "socket://" + address in place of the current socket session;
    // returns 0.
    virtual int32_t startSocketSession(VMPtr<java::lang::String> address);
    virtual void closeSocketSession();
    // Queues length bytes of data from offset for the socket writer: -1
    // without a session, else 0. A range outside data throws
    // ArrayIndexOutOfBoundsException and queues nothing.
    virtual int32_t socketSend(VMPtr<ByteArray> data, int32_t offset, int32_t length);
    // The game's hook for bytes read from the socket, on the reader thread;
    // data is reused by the next read.
    virtual void socketDataReceived(VMPtr<ByteArray> data, int32_t count);
    // Stores an HTTP session's result for the next delivery; any thread.
    virtual void networkTransferComplete(int32_t status, VMPtr<ByteArray> data);
    // For the sessions: the connection to url when it is a T; any other
    // connection is closed again and IOException thrown.
    template<class T>
    static VMPtr<T> openConnection(VMPtr<java::lang::String> url, int32_t mode, bool timeouts)
    {
        VMPtr<javax::microedition::io::Connection> opened =
            javax::microedition::io::Connector::open(url, mode, timeouts);
        VMPtr<T> wanted = vm_cast<T>(opened);
        if (!wanted) {
            closeAndClear(opened);
            refuseConnection();
        }
        return wanted;
    }
    [[noreturn]] static void refuseConnection();
    // For the sessions: closes what field holds and clears it; a close that
    // fails is ignored and leaves the field set.
    template<class T>
    static void closeAndClear(VMPtr<T>& field)
    {
        if (!field)
            return;
        try {
            field->close();
            field = nullptr;
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> ignored(caught);
        }
    }

    VMField<java::lang::Object> networkLock;
    VMField<java::util::Vector> pendingCalls;
    bool callsPending = false;
    bool networkDone = false;
    int32_t networkStatus = 0;
    VMField<ByteArray> networkData;
    VMField<TqCanvas_TQC_NetworkSession> networkSession;
    VMField<TqCanvas_TQC_SocketSession> socketSession;
    // ==== End of queued calls and network sessions ====

public:
    VM_FIELDS(midlet, mediaManager, keyLock, collectingKeys, frameKeys, layers, animations, textCache,
              textData, textOffsets, networkLock, pendingCalls, networkData, networkSession,
              socketSession)
};

} // namespace tq

// The sessions hold the canvas and the canvas holds them: each side needs
// the other complete by the end of any file that uses either.
#include "tq/TqCanvasNetworkSession.h"
#include "tq/TqCanvasSocketSession.h"

#include "main/Main.h"

#include "java/io/PrintStream.h"
#include "java/lang/Exception.h"
#include "java/lang/System.h"
#include "tq/MediaManagerImpl.h"
#include "tq/Resources.h"
#include "tq/ResourcesExt.h"

namespace main {

using tq::Resources;

VMPtr<Main> Main::init(VMPtr<tq::TqCanvas> gameCanvas)
{
    Object::init();
    fontGlyphs = nullptr;
    canvas = gameCanvas;
    // Left over from an earlier hub only when it was not stopped.
    sceneManager = nullptr;
    texts = nullptr;
    textId = 0;
    loadedFontIds = nullptr;
    currentFontId = 0;
    musicId = 0;
    globals = global::GameGlobals::newInstance()->init();
    random = tq::util::FastRandom::newInstance()->init(java::lang::System::currentTimeMillis());
    game = Game::newInstance()->init();
    resManager = ui::ResManager::newInstance()->init();
    font = tq::util::text::RichFont::newInstance()->initSystemFont();
    instance = this;
    paused = false;
    layoutPending = true;
    loadingPicturePending = true;
    soundEnabled = false;
    stopOthersPending = false;
    selectFont(0);
    return VMPtr<Main>(this);
}

void Main::update()
{
    if (paused)
        return;
    if (!sceneManager) {
        // Making it loads the text table and switches to the first scene.
        sceneManager = scene::SceneManager::newInstance()->init();
        return;
    }
    // A frame may stop the game and drop the manager while it runs.
    VMPtr<scene::SceneManager> manager(sceneManager);
    manager->update();
}

void Main::resume()
{
    paused = false;
    if (sceneManager)
        sceneManager->resume();
}

void Main::pause()
{
    paused = true;
    if (sceneManager)
        sceneManager->pause();
}

void Main::stopOtherChannels()
{
    if (!soundEnabled || !stopOthersPending)
        return;
    int32_t channels = mediaManager->getChannelCount();
    for (int32_t c = 0; c < channels; c++) {
        if (c != KEPT_CHANNEL)
            mediaManager->stopChannel(c);
    }
    stopOthersPending = false;
}

void Main::afterResume()
{
    // A resume settles only after the loop ran a frame, but nothing may
    // rely on that.
    if (!sceneManager)
        return;
    if (sceneManager->currentId == scene::SceneManager::MAIN_GAME && scene::SceneManager::currentScene)
        scene::SceneManager::currentScene->onPause();
    else
        replayMusic();
}

void Main::playMusic(int32_t id)
{
    if (!soundEnabled || id == musicId)
        return;
    stopOtherChannels();
    soundOn(id);
}

void Main::replayMusic()
{
    if (soundEnabled)
        mediaManager->playSound(MUSIC_CHANNEL, MUSIC_SOUND);
}

void Main::releaseGobSet(int32_t fontNumber)
{
    if (fontGlyphs)
        fontGlyphs->set(fontNumber, nullptr);
    if (loadedFontIds)
        (*loadedFontIds)[fontNumber] = -1;
}

void Main::soundOff()
{
    if (!mediaManager)
        return;
    stopAllSounds();
    soundEnabled = false;
    musicId = -1;
}

void Main::soundOn(int32_t id)
{
    if (!mediaManager)
        mediaManager = tq::MediaManagerImpl::create()->init(canvas, SOUND_SLOTS);
    else
        mediaManager->unloadSound(MUSIC_SOUND);
    mediaManager->loadSound(MUSIC_SOUND, MUSIC_RESOURCE, -1, 0);
    Resources::closePack();
    soundEnabled = true;
    stopOthersPending = false;
    musicId = id;
}

void Main::stopAllSounds()
{
    if (soundEnabled)
        mediaManager->stopChannel(-1);
}

void Main::selectFont(int32_t fontNumber)
{
    if (!fontGlyphs || !fontGlyphs->get(fontNumber))
        loadFont(fontNumber);
    int32_t loaded = (*loadedFontIds)[fontNumber];
    if (currentFontId != loaded) {
        currentFontId = loaded;
        font->setGlyphs(fontGlyphs->get(fontNumber));
    }
}

void Main::loadFont(int32_t fontNumber)
{
    if (!loadedFontIds)
        loadedFontIds = IntArray::newArray(FONT_COUNT);
    if (!fontGlyphs)
        fontGlyphs = GobTable::newArray(FONT_COUNT);
    // The id array checks the font number before the table is read.
    int32_t loaded = (*loadedFontIds)[fontNumber];
    int32_t wanted = FONT_SETS[fontNumber];
    // A set whose read failed is read again.
    if (loaded == wanted && fontGlyphs->get(fontNumber))
        return;
    fontGlyphs->set(fontNumber, nullptr);
    (*loadedFontIds)[fontNumber] = wanted;
    fontGlyphs->set(fontNumber, tq::ResourcesExt::loadGobs(wanted));
    Resources::closePack();
}

void Main::loadTexts(int32_t id)
{
    textId = id;
    texts = Resources::loadTranslation(id);
    Resources::closePack();
}

void Main::paint(VMPtr<Graphics> g)
{
    if (layoutPending) {
        int32_t w = canvas->getWidth();
        int32_t h = canvas->getHeight();
        g->setColor(0);
        g->setClip(0, 0, w, h);
        g->fillRect(0, 0, w, h);
        if (loadingPicturePending) {
            // Tried once a pass: a missing picture is said once, not thrown each frame.
            loadingPicturePending = false;
            VMPtr<tq::Gob::GobArray> picture;
            try {
                picture = tq::ResourcesExt::loadGobs(LOADING_PICTURE_SET);
            } catch (java::lang::Exception* unreadable) {
                VMPtr<java::lang::Exception> keep(unreadable);
            }
            if (picture && picture->length > 0 && picture->get(0)) {
                picture->get(0)->paint(g, w / 2, h / 2, 0);
                picture->set(0, nullptr);
            } else {
                java::lang::System::out()->println("The loading picture cannot be read");
            }
        }
        offsetX = (w - WIDTH) / 2;
        offsetY = (h - HEIGHT) / 2;
        canvas->setViewportOffset(offsetX, offsetY);
        layoutPending = false;
    }
    g->translate(offsetX, offsetY);
    VMPtr<scene::SceneManager> manager(sceneManager);
    if (manager)
        manager->paint(g);
    g->translate(-offsetX, -offsetY);
}

void Main::closeSound()
{
    if (!mediaManager)
        return;
    mediaManager->close();
    mediaManager = nullptr;
    musicId = -1;
    soundEnabled = false;
}

void Main::stop()
{
    canvas = nullptr;
    if (sceneManager) {
        sceneManager->release();
        sceneManager = nullptr;
    }
    game = nullptr;
    ui::ResManager::clear();
    resManager = nullptr;
    if (loadedFontIds) {
        for (int32_t i = 0; i < loadedFontIds->length; i++)
            (*loadedFontIds)[i] = -1;
    }
    currentFontId = -1;
    textId = -1;
    musicId = -1;
    random = nullptr;
    font = nullptr;
    texts = nullptr;
    layoutPending = true;
}

void Main::playEffect(int32_t) {}

int32_t Main::nextRandomAbs()
{
    int32_t value = random->nextInt();
    // Negated with wrap-around: the smallest int comes back unchanged.
    return value < 0 ? -value : value;
}

} // namespace main

VM_REGISTER_CLASS_NO_CREATOR(main::Main, "main.Main", "java.lang.Object", "..\\src\\main_Main",
                             nullptr);

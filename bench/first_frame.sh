#!/bin/sh
# Launch to first frame under X: the game against a minimal SDL2 program that
# opens a window and presents one frame in software, both on the same Xvfb. A preloaded
# shim stops each program at its first SDL_RenderPresent and prints the time
# since its start, its threads and its resident memory there.
#
#   bench/first_frame.sh [build dir] [runs]
set -eu

build=${1:-build/default}
runs=${2:-3}
game=$(cd "$build/game" && pwd)/vexalon
work=$(mktemp -d)
trap 'kill "$xpid" 2>/dev/null || true; rm -rf "$work"' EXIT

cat >"$work/shim.c" <<'EOF'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

/* The value of one "Name: value" line of /proc/self/status. */
static long statusValue(const char* name)
{
    char line[256];
    long value = -1;
    size_t length = strlen(name);
    FILE* status = fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    while (fgets(line, sizeof line, status)) {
        if (strncmp(line, name, length) == 0 && line[length] == ':')
            value = atol(line + length + 1);
    }
    fclose(status);
    return value;
}

void SDL_RenderPresent(void* renderer)
{
    void (*present)(void*) = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    present(renderer);
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    long started = atol(getenv("FIRST_FRAME_START_NS") ? getenv("FIRST_FRAME_START_NS") : "0");
    double ms = ((double)now.tv_sec * 1e9 + (double)now.tv_nsec - (double)started) / 1e6;
    fprintf(stderr, "first-frame %.1f ms threads %ld rss %ld kB\n", ms, statusValue("Threads"),
            statusValue("VmRSS"));
    _exit(0);
}
EOF

cat >"$work/minimal.c" <<'EOF'
#include <SDL.h>

int main(int argc, char** argv)
{
    (void)argc;
    (void)argv;
    /* The quickest way there: no GL stack loaded. */
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("minimal", 0, 0, 240, 320, 0);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderPresent(renderer);
    return 0;
}
EOF

cc -O2 -shared -fPIC -o "$work/shim.so" "$work/shim.c" -ldl
# shellcheck disable=SC2046
cc -O2 -o "$work/minimal" "$work/minimal.c" $(pkg-config --cflags --libs sdl2)

display=:$((90 + $$ % 100))
Xvfb "$display" -screen 0 480x640x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
sleep 1

# Prints the first-frame line of one run of the command, from the game's
# folder (it finds its packs there), stopped after 30 s.
run()
{
    start=$(date +%s%N)
    (cd "$(dirname "$game")" && FIRST_FRAME_START_NS=$start DISPLAY=$display LD_PRELOAD=$work/shim.so \
        timeout 30 "$@" 2>&1 >/dev/null | grep '^first-frame' || echo "first-frame none")
}

i=0
while [ "$i" -lt "$runs" ]; do
    echo "minimal SDL2: $(run "$work/minimal")"
    echo "game:         $(run "$game")"
    i=$((i + 1))
done

#ifndef WOBBLER_WEB_SDL_NAMES_H
#define WOBBLER_WEB_SDL_NAMES_H

// Emscripten's SDL headers are SDL 1.3's, which dropped the SDL 1.2 names
// the game calls; its JavaScript SDL still has them. Every source file of
// the browser's build sees this first.
#include <SDL.h>

// Emscripten's SDL numbers a key without a character by its scan code plus
// 1024, where its SDL 1.3 headers add 1 << 30; the keys the game names are
// given here as Emscripten sends them and indexes its keyboard's state.
#define WEB_SCAN_CODE_KEY(scanCode) ((scanCode) | 1 << 10)
#define SDLK_UP WEB_SCAN_CODE_KEY(SDL_SCANCODE_UP)
#define SDLK_DOWN WEB_SCAN_CODE_KEY(SDL_SCANCODE_DOWN)
#define SDLK_LEFT WEB_SCAN_CODE_KEY(SDL_SCANCODE_LEFT)
#define SDLK_RIGHT WEB_SCAN_CODE_KEY(SDL_SCANCODE_RIGHT)
#define SDLK_F1 WEB_SCAN_CODE_KEY(SDL_SCANCODE_F1)
#define SDLK_F2 WEB_SCAN_CODE_KEY(SDL_SCANCODE_F2)
#define SDLK_F12 WEB_SCAN_CODE_KEY(SDL_SCANCODE_F12)
#define SDLK_KP_PLUS WEB_SCAN_CODE_KEY(SDL_SCANCODE_KP_PLUS)
#define SDLK_LSHIFT WEB_SCAN_CODE_KEY(SDL_SCANCODE_LSHIFT)
#define SDLK_RSHIFT WEB_SCAN_CODE_KEY(SDL_SCANCODE_RSHIFT)
#define SDLK_LAST WEB_SCAN_CODE_KEY(SDL_NUM_SCANCODES)

// Emscripten's mixer keeps one volume a channel and none an effect, where
// SDL_mixer plays an effect at the product of the two: the game's calls go
// to src/web/sound.cpp, which keeps both.
#define Mix_Volume WebChannelVolume
#define Mix_VolumeChunk WebEffectVolume
#define Mix_PlayChannelTimed WebPlayEffect

#ifdef __cplusplus
extern "C" {
#endif
Uint8* SDL_GetKeyState(int* numberOfKeys);
#ifdef __cplusplus
}
#endif

#endif

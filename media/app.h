// Choosing the backend. The game calls UseSdlBackend (the real window, audio device, keyboard,
// mouse and joystick 0); tests, tools and the headless runner call UseHeadlessBackend (no
// window and no device, scripted input, a virtual clock). Drawing is the same in both.
#pragma once

namespace media {

void UseSdlBackend();       // defined in the SDL backend library (quill_media_sdl)
void UseHeadlessBackend();  // also the default when no backend was chosen
void ShutdownMedia();       // closes the window and the audio device; safe to call twice

}  // namespace media

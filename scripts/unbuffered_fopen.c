// Preloaded into the game by scripts/measure-latency.sh: the stream SDL's disk audio
// driver writes through becomes unbuffered, so each buffer reaches the probe when SDL
// hands it to the driver (stdio would hold 4 KB, two 512-frame buffers, before writing).
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static FILE* Unbuffered(FILE* file, const char* path) {
  const char* audio = getenv("SDL_DISKAUDIOFILE");
  if (file != NULL && audio != NULL && strcmp(path, audio) == 0) setvbuf(file, NULL, _IONBF, 0);
  return file;
}

FILE* fopen(const char* path, const char* mode) {
  FILE* (*real)(const char*, const char*) = (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
  return Unbuffered(real(path, mode), path);
}

FILE* fopen64(const char* path, const char* mode) {
  FILE* (*real)(const char*, const char*) = (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen64");
  return Unbuffered(real(path, mode), path);
}

#pragma once
// The part of inih's interface (Debian's libinih-dev, ini.h) that the settings use.
// Debian ships inih built for the host only, so the web build parses with ini_parse.cpp.
#ifdef __cplusplus
extern "C" {
#endif

typedef int (*ini_handler)(void* user, const char* section, const char* name, const char* value);

// Calls `handler` for each name = value (or name: value) line; returns 0, or the number
// of the first bad line (one the parser or the handler refused).
int ini_parse_string(const char* string, ini_handler handler, void* user);

#ifdef __cplusplus
}
#endif

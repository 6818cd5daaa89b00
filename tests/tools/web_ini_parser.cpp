// The web build's INI parser, compiled here under its own name beside Debian's inih.
#define ini_parse_string tobu_web_ini_parse_string
#include "platform/web/inih/ini_parse.cpp"

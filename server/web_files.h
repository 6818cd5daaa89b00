// The browser build, read into memory at start: a request picks one of the files found
// then by its name, so nothing a client sends is ever used as a path.
#pragma once
#include <map>
#include <string>

namespace tobu::server {

struct WebFile {
  std::string Type;  // Content-Type
  std::string Body;
};

// Every regular file under `folder`, keyed "/relative/path"; "/" is index.html.
std::map<std::string, WebFile> ReadWebFolder(const std::string& folder);

}  // namespace tobu::server

#include "server/web_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tobu::server {
namespace {

std::string ContentType(const std::filesystem::path& file) {
  static const std::map<std::string, std::string> types = {{".html", "text/html; charset=utf-8"},
                                                           {".js", "text/javascript"},
                                                           {".wasm", "application/wasm"},
                                                           {".css", "text/css"},
                                                           {".png", "image/png"},
                                                           {".json", "application/json"},
                                                           {".data", "application/octet-stream"},
                                                           {".vel", "application/octet-stream"}};
  const auto found = types.find(file.extension().string());
  return found == types.end() ? "application/octet-stream" : found->second;
}

}  // namespace

std::map<std::string, WebFile> ReadWebFolder(const std::string& folder) {
  std::map<std::string, WebFile> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string key = "/" + std::filesystem::relative(entry.path(), folder).generic_string();
    files[key] = WebFile{ContentType(entry.path()), std::move(body)};
  }
  if (const auto index = files.find("/index.html"); index != files.end()) files["/"] = index->second;
  return files;
}

}  // namespace tobu::server

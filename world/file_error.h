#pragma once
#include <stdexcept>
#include <string>

namespace tobu {

// The one error of the file layer. Its message is what the player is shown, e.g.
// "Cannot open file abc.vel"; the handler that hit it stops and the game goes on.
class FileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;

  static FileError CannotOpen(const std::string& name) { return FileError("Cannot open file " + name); }
  static FileError CannotCreate(const std::string& name) { return FileError("Cannot create file " + name); }
  static FileError Damaged(const std::string& name) { return FileError("Level file " + name + " is damaged"); }
};

} // namespace tobu

#pragma once
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tobu {

// The one error of the file layer. Its message is what the player is shown, e.g.
// "Cannot open file abc.vel"; the handler that hit it stops and the game goes on.
// A handler whose steps all run even when one fails may end with several messages:
// they are shown one after the other, in the order they happened.
class FileError : public std::runtime_error {
public:
  explicit FileError(const std::string& message) : std::runtime_error(message), messages_{message} {}
  explicit FileError(std::vector<std::string> messages)
      : std::runtime_error(Joined(messages)), messages_(std::move(messages)) {}

  static FileError CannotOpen(const std::string& name) { return FileError("Cannot open file " + name); }
  static FileError CannotCreate(const std::string& name) { return FileError("Cannot create file " + name); }
  static FileError Damaged(const std::string& name) { return FileError("Level file " + name + " is damaged"); }

  const std::vector<std::string>& Messages() const { return messages_; }

private:
  static std::string Joined(const std::vector<std::string>& messages) {
    std::string text;
    for (const std::string& message : messages) text += (text.empty() ? "" : "\n") + message;
    return text;
  }

  std::vector<std::string> messages_;
};

// Runs the steps of a handler that must all happen even when one fails, and keeps the
// messages of those that failed for the end of the handler.
class FileErrors {
public:
  template <typename Step>
  void Run(Step&& step) {
    try {
      step();
    } catch (const FileError& error) {
      messages_.insert(messages_.end(), error.Messages().begin(), error.Messages().end());
    }
  }
  void ThrowIfAny() const {
    if (!messages_.empty()) throw FileError(messages_);
  }

private:
  std::vector<std::string> messages_;
};

} // namespace tobu

// tobu-server-load: submits COUNT genuine records at once, each the committed replay of a
// level under its own new player, spread over the given ports of 127.0.0.1; prints how
// many of each answer came back. Bounded in count and in time (it gives up after LIMIT
// seconds); it sends nothing anywhere but 127.0.0.1.
//
//   tobu-server-load COUNT CONCURRENCY LIMIT_SECONDS PORT[,PORT...] REPLAY.tbr...
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "replay/replay_file.h"
#include "server/open_files.h"
#include "world/file_error.h"

namespace {

std::string TokenOf(int player) {
  char token[65];
  std::snprintf(token, sizeof token, "%064x", player + 1);
  return token;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::cerr << "usage: tobu-server-load COUNT CONCURRENCY LIMIT_SECONDS PORT[,PORT...] REPLAY.tbr...\n";
    return 2;
  }
  tobu::server::RaiseOpenFileLimit();
  const int count = std::stoi(argv[1]);
  const int concurrency = std::stoi(argv[2]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::stoi(argv[3]));
  std::vector<int> ports;
  std::stringstream portList(argv[4]);
  for (std::string port; std::getline(portList, port, ',');) ports.push_back(std::stoi(port));
  std::vector<tobu::Replay> replays;
  try {
    for (int i = 5; i < argc; ++i) replays.push_back(tobu::ReadReplay(argv[i]));
  } catch (const tobu::FileError& error) {
    std::cerr << "tobu-server-load: " << error.what() << '\n';
    return 1;
  }

  std::atomic<int> next{0};
  std::mutex mutex;
  std::map<int, int> answers;  // status -> how many
  const auto work = [&] {
    while (std::chrono::steady_clock::now() < deadline) {
      const int i = next++;
      if (i >= count) return;
      tobu::Replay replay = replays[static_cast<size_t>(i) % replays.size()];
      replay.PlayerName = "load" + std::to_string(i);
      const std::vector<uint8_t> bytes = tobu::EncodeReplay(replay);
      httplib::Client client("127.0.0.1", ports[static_cast<size_t>(i) % ports.size()]);
      client.set_connection_timeout(60, 0);
      client.set_read_timeout(240, 0);
      client.set_bearer_token_auth(TokenOf(i).c_str());
      const auto result = client.Post("/api/records", reinterpret_cast<const char*>(bytes.data()),
                                      bytes.size(), "application/octet-stream");
      const std::lock_guard lock(mutex);
      ++answers[result ? result->status : -static_cast<int>(result.error())];  // no answer: minus the reason
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < concurrency; ++t) threads.emplace_back(work);
  for (std::thread& thread : threads) thread.join();
  for (const auto& [status, times] : answers) std::cout << status << ' ' << times << '\n';
  return 0;
}

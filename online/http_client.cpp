// The online client on cpp-httplib: one worker thread takes the queued requests in turn.
#include <httplib.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "online/device_token.h"
#include "online/online_client.h"
#include "world/file_error.h"

namespace tobu {
namespace {

// A slow server counts as one that cannot be reached: the player waits no longer.
constexpr time_t ConnectSeconds = 3;
constexpr time_t AnswerSeconds = 10;

struct Job {
  uint64_t Ticket = 0;
  bool Post = false;
  std::string Path;
  std::vector<uint8_t> Body;
};

// "http://host:port/prefix" as httplib's origin and the prefix of every path.
std::pair<std::string, std::string> SplitUrl(const std::string& url) {
  const size_t hostStart = url.find("://");
  const size_t pathStart = url.find('/', hostStart == std::string::npos ? 0 : hostStart + 3);
  if (pathStart == std::string::npos) return {url, ""};
  std::string prefix = url.substr(pathStart);
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
  return {url.substr(0, pathStart), prefix};
}

// The server's JSON error message, or the status when the body carries none.
std::string ServerProblem(int status, const std::string& body) {
  const auto json = nlohmann::json::parse(body, nullptr, /*allow_exceptions=*/false);
  if (json.is_object() && json.contains("error") && json["error"].is_string()) return json["error"];
  return "The server answered " + std::to_string(status);
}

class HttpClient final : public OnlineClient {
 public:
  HttpClient(const std::string& serverUrl, std::string tokenFile)
      : tokenFile_(std::move(tokenFile)), worker_([this, serverUrl] { Work(serverUrl); }) {}

  ~HttpClient() override {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
  }

  uint64_t Get(const std::string& path) override { return Queue({0, false, path, {}}); }
  uint64_t Post(const std::string& path, std::vector<uint8_t> body) override {
    return Queue({0, true, path, std::move(body)});
  }

  std::vector<OnlineReply> TakeReplies() override {
    std::lock_guard lock(mutex_);
    std::vector<OnlineReply> replies(replies_.begin(), replies_.end());
    replies_.clear();
    return replies;
  }

  OnlineReply Wait(uint64_t ticket) override {
    std::unique_lock lock(mutex_);
    for (;;) {
      for (auto reply = replies_.begin(); reply != replies_.end(); ++reply) {
        if (reply->Ticket != ticket) continue;
        OnlineReply found = std::move(*reply);
        replies_.erase(reply);
        return found;
      }
      answered_.wait(lock);
    }
  }

 private:
  uint64_t Queue(Job job) {
    std::lock_guard lock(mutex_);
    job.Ticket = ++lastTicket_;
    jobs_.push_back(std::move(job));
    wake_.notify_all();
    return lastTicket_;
  }

  void Work(const std::string& serverUrl) {
    const auto [origin, prefix] = SplitUrl(serverUrl);
    httplib::Client http(origin);
    http.set_connection_timeout(ConnectSeconds, 0);
    http.set_read_timeout(AnswerSeconds, 0);
    http.set_write_timeout(AnswerSeconds, 0);
    for (;;) {
      Job job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_) return;
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      OnlineReply reply = Run(http, prefix + "/api" + job.Path, job);
      reply.Ticket = job.Ticket;
      std::lock_guard lock(mutex_);
      replies_.push_back(std::move(reply));
      answered_.notify_all();
    }
  }

  OnlineReply Run(httplib::Client& http, const std::string& path, const Job& job) {
    OnlineReply reply;
    httplib::Headers headers;
    if (job.Post) {
      try {
        headers.emplace("Authorization", "Bearer " + DeviceToken(tokenFile_));
      } catch (const FileError& error) {
        reply.Problem = error.what();
        return reply;
      }
    }
    const httplib::Result result =
        job.Post ? http.Post(path, headers, reinterpret_cast<const char*>(job.Body.data()), job.Body.size(),
                             "application/octet-stream")
                 : http.Get(path, headers);
    if (!result) {
      reply.Problem = ServerUnreachableMessage;
      return reply;
    }
    reply.Status = result->status;
    reply.Body.assign(result->body.begin(), result->body.end());
    if (reply.Status < 200 || reply.Status > 299) reply.Problem = ServerProblem(reply.Status, result->body);
    return reply;
  }

  const std::string tokenFile_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable answered_;
  std::deque<Job> jobs_;
  std::deque<OnlineReply> replies_;
  uint64_t lastTicket_ = 0;
  bool stopping_ = false;
  std::thread worker_;  // last: it starts once everything it uses is there
};

}  // namespace

std::unique_ptr<OnlineClient> ConnectToServer(const std::string& serverUrl, const std::string& tokenFile) {
  return std::make_unique<HttpClient>(serverUrl, tokenFile);
}

}  // namespace tobu

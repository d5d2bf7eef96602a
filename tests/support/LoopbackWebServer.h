// A scripted web server on 127.0.0.1 for the web client's tests and the web
// screens' end-to-end tests. It listens on a port the system picks (port 0),
// answers each request with the next scripted answer (the default answer
// once the script is used up) and records every request it read. Its thread
// polls with short time-outs, so stopping it is bounded; every wait a test
// makes on it has a limit.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ddz::test {

struct WebRequest {
  std::string method;  // "GET", "POST"
  std::string target;  // path and query, as sent
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
};

struct WebAnswer {
  enum Kind {
    kReply,   // status and body, then the connection closes
    kSilent,  // reads the request and never answers (held open until the server stops)
    kHangUp,  // closes the connection without a word
  };
  Kind kind = kReply;
  int status = 200;
  std::string body;

  static WebAnswer Ok(std::string body) { return WebAnswer{kReply, 200, std::move(body)}; }
  static WebAnswer Status(int status, std::string body = {}) { return WebAnswer{kReply, status, std::move(body)}; }
  static WebAnswer Silent() { return WebAnswer{kSilent, 0, {}}; }
  static WebAnswer HangUp() { return WebAnswer{kHangUp, 0, {}}; }
};

class LoopbackWebServer {
 public:
  LoopbackWebServer() {
    m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    const int one = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && ::listen(m_listen, 16) == 0) {
      socklen_t len = sizeof addr;
      ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
      m_port = ntohs(addr.sin_port);
    }
    m_thread = std::thread([this] { Run(); });
  }

  ~LoopbackWebServer() {
    m_stop = true;
    m_thread.join();
    for (Connection& c : m_connections) ::close(c.fd);
    ::close(m_listen);
  }

  LoopbackWebServer(const LoopbackWebServer&) = delete;
  LoopbackWebServer& operator=(const LoopbackWebServer&) = delete;

  int Port() const { return m_port; }
  // "http://127.0.0.1:<port><path>"
  std::string Url(const std::string& path = "/") const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
  }

  // Answers for the next requests, in order.
  void Script(std::vector<WebAnswer> answers) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (WebAnswer& a : answers) m_script.push_back(std::move(a));
  }
  // Answers each request by what it asks once the script is used up (called
  // on the server's thread: it must only read the request).
  void SetResponder(std::function<WebAnswer(const WebRequest&)> responder) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_responder = std::move(responder);
  }
  void SetDefaultAnswer(WebAnswer answer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_default = std::move(answer);
  }

  // While held, requests are read and recorded but not answered; the
  // answers go out, in arrival order, once released.
  void HoldAnswers(bool hold) { m_hold = hold; }

  std::vector<WebRequest> Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
  }
  // Waits up to `ms` until `count` requests were read.
  bool WaitForRequests(std::size_t count, int ms) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_requests.size() >= count; });
  }

  // A loopback port on which nothing listens (connections are refused).
  static int ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
  }

 private:
  struct Connection {
    int fd = -1;
    std::string in;
    bool read = false;      // the whole request is in
    bool answered = false;  // silent: read and held
    WebRequest request;
  };

  void Run() {
    while (!m_stop) {
      std::vector<pollfd> fds;
      fds.push_back(pollfd{m_listen, POLLIN, 0});
      for (const Connection& c : m_connections) fds.push_back(pollfd{c.fd, POLLIN, 0});
      const int ready = ::poll(fds.data(), fds.size(), 20);
      if (ready > 0 && (fds[0].revents & POLLIN)) {
        const int fd = ::accept(m_listen, nullptr, nullptr);
        if (fd >= 0) {
          timeval limit{2, 0};  // a client that stops reading cannot hold the thread
          ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
          m_connections.push_back(Connection{fd, {}, false, false, {}});
        }
      }
      for (std::size_t i = 1; ready > 0 && i < fds.size(); ++i) {
        if (fds[i].revents == 0) continue;
        Connection& c = m_connections[i - 1];
        char buffer[4096];
        const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
          ::close(c.fd);
          c.fd = -1;
          continue;
        }
        if (c.read) continue;
        c.in.append(buffer, static_cast<std::size_t>(n));
        WebRequest request;
        if (Parse(c.in, &request)) {
          c.read = true;
          c.request = request;
          {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(std::move(request));
          }
          m_changed.notify_all();
        }
      }
      if (!m_hold) {
        for (Connection& c : m_connections) {
          if (c.fd >= 0 && c.read && !c.answered) Answer(c);
        }
      }
      std::erase_if(m_connections, [](const Connection& c) { return c.fd < 0; });
    }
  }

  static bool Parse(const std::string& in, WebRequest* out) {
    const std::size_t end = in.find("\r\n\r\n");
    if (end == std::string::npos) return false;
    std::size_t lineEnd = in.find("\r\n");
    const std::string first = in.substr(0, lineEnd);
    const std::size_t s1 = first.find(' ');
    const std::size_t s2 = first.find(' ', s1 + 1);
    out->method = first.substr(0, s1);
    out->target = first.substr(s1 + 1, s2 - s1 - 1);
    std::size_t pos = lineEnd + 2;
    while (pos < end) {
      lineEnd = in.find("\r\n", pos);
      const std::string line = in.substr(pos, lineEnd - pos);
      const std::size_t colon = line.find(':');
      if (colon != std::string::npos) {
        std::string name = line.substr(0, colon);
        for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        std::size_t v = colon + 1;
        while (v < line.size() && line[v] == ' ') ++v;
        out->headers[name] = line.substr(v);
      }
      pos = lineEnd + 2;
    }
    std::size_t length = 0;
    if (auto it = out->headers.find("content-length"); it != out->headers.end()) length = std::stoul(it->second);
    if (in.size() < end + 4 + length) return false;
    out->body = in.substr(end + 4, length);
    return true;
  }

  void Answer(Connection& c) {
    WebAnswer answer;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      if (!m_script.empty()) {
        answer = std::move(m_script.front());
        m_script.pop_front();
      } else if (m_responder) {
        answer = m_responder(c.request);
      } else {
        answer = m_default;
      }
    }
    if (answer.kind == WebAnswer::kSilent) {
      c.answered = true;
      return;
    }
    if (answer.kind == WebAnswer::kReply) {
      std::string out = "HTTP/1.1 " + std::to_string(answer.status) + " Scripted\r\nContent-Length: " +
                        std::to_string(answer.body.size()) + "\r\nConnection: close\r\n\r\n" + answer.body;
      std::size_t sent = 0;
      while (sent < out.size()) {
        const ssize_t n = ::send(c.fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
    }
    ::close(c.fd);
    c.fd = -1;
  }

  int m_listen = -1;
  int m_port = 0;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_hold{false};
  std::thread m_thread;
  std::vector<Connection> m_connections;  // the server thread's own
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<WebAnswer> m_script;
  WebAnswer m_default = WebAnswer::Ok("");
  std::function<WebAnswer(const WebRequest&)> m_responder;
  std::vector<WebRequest> m_requests;
};

}  // namespace ddz::test

// The web client: short exchanges with the game's web services over HTTP(S),
// on libcurl.
//
// - A request with data is a POST of those bytes; one without data is a GET.
//   An address registered with AddUrlUseHex gets its data as hex text (two
//   upper-case digits a byte) instead of the raw bytes.
// - Asynchronous exchanges run on libcurl's multi interface, which the frame
//   loop drives in its message-pump phase; a finished exchange reaches its
//   target's CallBackAsyncHttpRes in that phase, on the main thread, never
//   inside the call that asked. Targets are held weakly: a layer that leaves
//   the scene or dies is forgotten with every reply still owed to it.
// - The blocking exchange holds the main thread until it ends or its time
//   limit runs out.
// - Every exchange has a time limit, at most a few run at once (the others
//   wait their turn in a bounded queue), replies have a size limit, and only
//   http:// and https:// addresses are accepted.
//
// docs/PROTOCOL.md describes how a frame travels and the error codes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class YndGameLayer;

// Results and error codes (0: the exchange worked).
enum YndWebError {
  kWebOk = 0,
  kWebErrBadAddress = -1,   // not an http:// or https:// address
  kWebErrBusy = -2,         // too many exchanges running and waiting
  kWebErrConnect = -3,      // no connection (refused, unknown host)
  kWebErrTimeout = -4,      // the time limit ran out
  kWebErrStatus = -5,       // the server answered with a status other than 200
  kWebErrTooLong = -6,      // the reply is longer than the reply area
  kWebErrTransfer = -7,     // any other failure of the exchange
  kWebErrBadArgument = -8,  // a null reply area, a negative length
};

struct YndWebSettings {
  long asyncTimeoutMs = 10000;     // whole exchange, asynchronous
  long blockingTimeoutMs = 10000;  // whole exchange, blocking (holds the main thread)
  long connectTimeoutMs = 5000;    // the connection alone, both kinds
  int maxRunning = 4;              // asynchronous exchanges running at once
  int maxWaiting = 64;             // asynchronous exchanges queued behind them
  int maxReplyBytes = 1 << 20;     // size limit of an asynchronous reply
};

// What the client keeps of one finished exchange before it is handed over.
struct YndWebOutcome {
  int error = kWebOk;
  std::string reply;  // empty unless error is 0
};

// The reply's bytes as they arrive, up to a limit: a piece that would pass
// it is refused (false), which ends the exchange.
struct YndWebReplyBuffer {
  std::string body;
  std::size_t limit = 0;
  bool overLimit = false;
  bool Append(const char* data, std::size_t n);
};

// The client's reading of a finished exchange: libcurl's result, the HTTP
// status and the bytes received. Shared by both kinds of exchange and by the
// fuzz target.
YndWebOutcome YndWebJudgeExchange(int curlCode, long httpStatus, YndWebReplyBuffer received);

// Hands an outcome to a caller's reply area of `capacity` bytes: the reply
// and a zero byte after it when there is room; replyLen its length (0 on
// failure). The outcome's error, or kWebErrTooLong for a reply that does not
// fit (nothing is written past the capacity).
int YndWebCopyReply(const YndWebOutcome& outcome, char* reply, int capacity, int& replyLen);

class YndWebClient {
 public:
  static YndWebClient* shareWebClient();
  // The client when it exists, without creating it (layers going away).
  static YndWebClient* getInstanceIfAlive();

  // Data posted to this address travels as hex text.
  void AddUrlUseHex(const std::string& url);
  bool UsesHex(std::string_view url) const;

  // Starts an exchange whose reply goes to target->CallBackAsyncHttpRes
  // (reply, length, the address, msgId, error) in a later message-pump
  // phase. Data of length 0 (or null) makes it a GET. 0 when started or
  // queued; an error code, and no reply, when refused at once (bad address,
  // bad arguments, busy).
  int AsyncGetWebsiteContent(const char* url, YndGameLayer* target, int msgId, const char* data, int len);

  // Blocking exchange. replyLen: in, the capacity of `reply`; out, the
  // length of the reply (0 on failure). A reply shorter than the capacity is
  // followed by a zero byte. 0 on success, else an error code.
  int BlockGetWebsiteContent(const char* url, char* reply, int& replyLen, const char* data, int len);

  // Drops every reply owed to `target` (layers call it when they leave the
  // scene and when they die).
  void ForgetTarget(const YndGameLayer* target);

  // Runs the asynchronous exchanges a step and hands over the finished ones.
  // The frame loop calls it in its message-pump phase.
  void Pump();
  // Waits up to `ms` for network activity of the running exchanges (tests
  // and tools waiting for replies without spinning). False when none runs.
  bool WaitForActivity(int ms);

  int RunningCount() const;
  int WaitingCount() const;

  const YndWebSettings& GetSettings() const { return m_settings; }
  void SetSettings(const YndWebSettings& settings) { m_settings = settings; }

  // Drops every exchange and hex address and restores the settings (tests).
  void Reset();

  ~YndWebClient();

 private:
  struct Impl;
  YndWebClient();
  void EnsureFrameHook();

  YndWebSettings m_settings;
  std::vector<std::string> m_vcHexUrls;
  std::unique_ptr<Impl> m_impl;
  int m_iFrameHook = -1;
};

// True for an address this client accepts (http:// or https://, any case,
// with something after the scheme).
bool YndWebIsAcceptedUrl(std::string_view url);

// A value for an address's query: every byte but the letters, digits and
// "-._~" as %XX (upper-case hex). "" for "" (and for a value too long to
// encode).
std::string YndUrlEncode(std::string_view value);

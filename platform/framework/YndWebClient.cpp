#include "platform/framework/YndWebClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <list>

#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndGameLayer.h"

namespace {

constexpr const char* kUserAgent = "DouDiZhu-client/1.0";
// Loopback never goes through a proxy.
constexpr const char* kNoProxy = "127.0.0.1,localhost,::1";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

using Received = YndWebReplyBuffer;

std::size_t OnBytes(char* data, std::size_t size, std::size_t count, void* user) {
  const std::size_t n = size * count;
  return static_cast<Received*>(user)->Append(data, n) ? n : 0;  // 0 ends the exchange
}

// The options both kinds of exchange share. `headers` must outlive the
// handle's use.
void PrepareHandle(CURL* easy, const std::string& url, const std::string& body, bool hex, long timeoutMs,
                   long connectTimeoutMs, Received* received, curl_slist** headers) {
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_NOPROXY, kNoProxy);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, std::max(1L, timeoutMs));
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, std::max(1L, std::min(connectTimeoutMs, timeoutMs)));
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnBytes);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, received);
  *headers = curl_slist_append(*headers, "Expect:");
  if (!body.empty()) {
    *headers = curl_slist_append(*headers, hex ? "Content-Type: text/plain" : "Content-Type: application/octet-stream");
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, body.data());
  } else {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  }
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, *headers);
}

// What a request carries: the data's bytes, or their hex text.
std::string Body(bool hex, const char* data, int len) {
  if (len <= 0) return {};
  return hex ? CharArrayToHexString(data, len) : std::string(data, static_cast<std::size_t>(len));
}

long StatusOf(CURL* easy) {
  long status = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  return status;
}

YndWebClient* g_pClient = nullptr;

}  // namespace

bool YndWebIsAcceptedUrl(std::string_view url) {
  for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
    if (StartsWithNoCase(url, scheme) && url.size() > scheme.size()) return true;
  }
  return false;
}

std::string YndUrlEncode(std::string_view value) {
  if (value.empty()) return {};
  if (value.size() > static_cast<std::size_t>(INT32_MAX / 3)) return {};
  // libcurl ignores the handle here (7.82 on); every byte but A-Z a-z 0-9 - . _ ~ becomes %XX.
  char* escaped = curl_easy_escape(nullptr, value.data(), static_cast<int>(value.size()));
  if (escaped == nullptr) return {};
  std::string out(escaped);
  curl_free(escaped);
  return out;
}

bool YndWebReplyBuffer::Append(const char* data, std::size_t n) {
  if (overLimit || n > limit - std::min(limit, body.size())) {
    overLimit = true;
    return false;
  }
  body.append(data, n);
  return true;
}

YndWebOutcome YndWebJudgeExchange(int curlCode, long httpStatus, YndWebReplyBuffer received) {
  YndWebOutcome outcome;
  if (received.overLimit) {
    outcome.error = kWebErrTooLong;
  } else {
    switch (curlCode) {
      case CURLE_OK: outcome.error = httpStatus == 200 ? kWebOk : kWebErrStatus; break;
      case CURLE_COULDNT_CONNECT:
      case CURLE_COULDNT_RESOLVE_HOST:
      case CURLE_COULDNT_RESOLVE_PROXY: outcome.error = kWebErrConnect; break;
      case CURLE_OPERATION_TIMEDOUT: outcome.error = kWebErrTimeout; break;
      case CURLE_UNSUPPORTED_PROTOCOL:
      case CURLE_URL_MALFORMAT: outcome.error = kWebErrBadAddress; break;
      default: outcome.error = kWebErrTransfer; break;
    }
  }
  if (outcome.error == kWebOk) outcome.reply = std::move(received.body);
  return outcome;
}

int YndWebCopyReply(const YndWebOutcome& outcome, char* reply, int capacity, int& replyLen) {
  replyLen = 0;
  if (reply == nullptr || capacity < 0) return kWebErrBadArgument;
  if (capacity > 0) reply[0] = '\0';
  if (outcome.error != kWebOk) return outcome.error;
  if (outcome.reply.size() > static_cast<std::size_t>(capacity)) return kWebErrTooLong;
  std::memcpy(reply, outcome.reply.data(), outcome.reply.size());
  replyLen = static_cast<int>(outcome.reply.size());
  if (replyLen < capacity) reply[replyLen] = '\0';
  return kWebOk;
}

// ---------------------------------------------------------------- exchanges

struct YndWebClient::Impl {
  struct Transfer {
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    YndGameLayer* target = nullptr;  // null once forgotten
    int msgId = 0;
    std::string url;
    std::string body;
    bool hex = false;
    bool running = false;
    Received received;
    ~Transfer() {
      if (easy) curl_easy_cleanup(easy);
      if (headers) curl_slist_free_all(headers);
    }
  };
  struct Delivery {
    YndGameLayer* target;
    int msgId;
    std::string url;
    YndWebOutcome outcome;
  };

  CURLM* multi = nullptr;
  std::list<std::unique_ptr<Transfer>> transfers;  // in arrival order; they start in that order
  std::vector<Delivery>* delivering = nullptr;     // the batch being handed over, if any

  int Running() const {
    return static_cast<int>(std::count_if(transfers.begin(), transfers.end(), [](const auto& t) { return t->running; }));
  }
  int Waiting() const { return static_cast<int>(transfers.size()) - Running(); }

  void StartWaiting(const YndWebSettings& settings) {
    int running = Running();
    for (auto& t : transfers) {
      if (running >= std::max(1, settings.maxRunning)) break;
      if (t->running) continue;
      t->easy = curl_easy_init();
      if (t->easy == nullptr) break;
      t->received.limit = static_cast<std::size_t>(std::max(0, settings.maxReplyBytes));
      PrepareHandle(t->easy, t->url, t->body, t->hex, settings.asyncTimeoutMs, settings.connectTimeoutMs, &t->received,
                    &t->headers);
      curl_easy_setopt(t->easy, CURLOPT_PRIVATE, t.get());
      if (curl_multi_add_handle(multi, t->easy) != CURLM_OK) {
        curl_easy_cleanup(t->easy);  // tried again at the next step
        curl_slist_free_all(t->headers);
        t->easy = nullptr;
        t->headers = nullptr;
        break;
      }
      t->running = true;
      ++running;
    }
  }

  void DropAll() {
    for (auto& t : transfers) {
      if (t->running) curl_multi_remove_handle(multi, t->easy);
    }
    transfers.clear();
    if (delivering) {
      for (Delivery& d : *delivering) d.target = nullptr;
    }
  }
};

YndWebClient::YndWebClient() : m_impl(std::make_unique<Impl>()) {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  m_impl->multi = curl_multi_init();
}

YndWebClient::~YndWebClient() {
  m_impl->DropAll();
  curl_multi_cleanup(m_impl->multi);
}

YndWebClient* YndWebClient::shareWebClient() {
  // Made on first use and kept for the life of the process.
  if (g_pClient == nullptr) g_pClient = new YndWebClient();
  return g_pClient;
}

YndWebClient* YndWebClient::getInstanceIfAlive() { return g_pClient; }

void YndWebClient::AddUrlUseHex(const std::string& url) {
  if (!UsesHex(url)) m_vcHexUrls.push_back(url);
}

bool YndWebClient::UsesHex(std::string_view url) const {
  return std::find(m_vcHexUrls.begin(), m_vcHexUrls.end(), url) != m_vcHexUrls.end();
}

int YndWebClient::AsyncGetWebsiteContent(const char* url, YndGameLayer* target, int msgId, const char* data, int len) {
  if (url == nullptr || !YndWebIsAcceptedUrl(url)) {
    cocos2d::log("YndWebClient: refused address [%s] (message %d)", url ? url : "", msgId);
    return kWebErrBadAddress;
  }
  if (target == nullptr || len < 0 || (len > 0 && data == nullptr)) return kWebErrBadArgument;
  if (m_impl->Waiting() >= std::max(0, m_settings.maxWaiting) &&
      m_impl->Running() >= std::max(1, m_settings.maxRunning)) {
    cocos2d::log("YndWebClient: busy, message %d to [%s] not sent", msgId, url);
    return kWebErrBusy;
  }
  auto transfer = std::make_unique<Impl::Transfer>();
  transfer->target = target;
  transfer->msgId = msgId;
  transfer->url = url;
  transfer->hex = UsesHex(url);
  transfer->body = Body(transfer->hex, data, len);
  m_impl->transfers.push_back(std::move(transfer));
  EnsureFrameHook();
  m_impl->StartWaiting(m_settings);
  return kWebOk;
}

int YndWebClient::BlockGetWebsiteContent(const char* url, char* reply, int& replyLen, const char* data, int len) {
  const int capacity = replyLen;
  replyLen = 0;
  if (reply == nullptr || capacity < 0 || len < 0 || (len > 0 && data == nullptr)) return kWebErrBadArgument;
  if (capacity > 0) reply[0] = '\0';
  if (url == nullptr || !YndWebIsAcceptedUrl(url)) {
    cocos2d::log("YndWebClient: refused address [%s]", url ? url : "");
    return kWebErrBadAddress;
  }
  const bool hex = UsesHex(url);
  const std::string body = Body(hex, data, len);
  CURL* easy = curl_easy_init();
  if (easy == nullptr) return kWebErrTransfer;
  Received received;
  received.limit = static_cast<std::size_t>(capacity);
  curl_slist* headers = nullptr;
  const std::string address = url;
  PrepareHandle(easy, address, body, hex, m_settings.blockingTimeoutMs, m_settings.connectTimeoutMs, &received,
                &headers);
  const CURLcode code = curl_easy_perform(easy);
  const long status = StatusOf(easy);
  curl_easy_cleanup(easy);
  curl_slist_free_all(headers);
  const YndWebOutcome outcome = YndWebJudgeExchange(code, status, std::move(received));
  const int result = YndWebCopyReply(outcome, reply, capacity, replyLen);
  if (result != kWebOk) {
    cocos2d::log("YndWebClient: blocking exchange with [%s] failed (%d, curl %d, status %ld)", url, result,
                 static_cast<int>(code), status);
  }
  return result;
}

void YndWebClient::ForgetTarget(const YndGameLayer* target) {
  if (target == nullptr) return;
  auto& list = m_impl->transfers;
  for (auto it = list.begin(); it != list.end();) {
    if ((*it)->target != target) {
      ++it;
      continue;
    }
    if ((*it)->running) curl_multi_remove_handle(m_impl->multi, (*it)->easy);
    it = list.erase(it);
  }
  if (m_impl->delivering) {
    for (Impl::Delivery& d : *m_impl->delivering) {
      if (d.target == target) d.target = nullptr;
    }
  }
  m_impl->StartWaiting(m_settings);
}

void YndWebClient::EnsureFrameHook() {
  cocos2d::Director* director = cocos2d::Director::getInstance();
  if (m_iFrameHook >= 0 && director->hasFrameHook(m_iFrameHook)) return;
  m_iFrameHook = director->addFrameHook(cocos2d::FramePhase::MessagePump, [](float) {
    if (YndWebClient* client = YndWebClient::getInstanceIfAlive()) client->Pump();
  });
}

void YndWebClient::Pump() {
  if (m_impl->delivering != nullptr) return;  // a reply's handler pumping again
  m_impl->StartWaiting(m_settings);
  int still = 0;
  curl_multi_perform(m_impl->multi, &still);

  std::vector<Impl::Delivery> batch;
  int queued = 0;
  while (CURLMsg* msg = curl_multi_info_read(m_impl->multi, &queued)) {
    if (msg->msg != CURLMSG_DONE) continue;
    Impl::Transfer* t = nullptr;
    curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, reinterpret_cast<char**>(&t));
    const CURLcode code = msg->data.result;
    auto it = std::find_if(m_impl->transfers.begin(), m_impl->transfers.end(),
                           [t](const auto& p) { return p.get() == t; });
    if (it == m_impl->transfers.end()) continue;
    const long status = StatusOf(t->easy);
    YndWebOutcome outcome = YndWebJudgeExchange(code, status, std::move(t->received));
    if (outcome.error != kWebOk) {
      cocos2d::log("YndWebClient: message %d to [%s] failed (%d, curl %d, status %ld)", t->msgId, t->url.c_str(),
                   outcome.error, static_cast<int>(code), status);
    }
    batch.push_back(Impl::Delivery{t->target, t->msgId, t->url, std::move(outcome)});
    curl_multi_remove_handle(m_impl->multi, t->easy);
    m_impl->transfers.erase(it);
  }
  m_impl->StartWaiting(m_settings);
  if (batch.empty()) return;

  m_impl->delivering = &batch;
  for (Impl::Delivery& d : batch) {
    YndGameLayer* target = d.target;
    if (target == nullptr) continue;
    target->retain();  // the handler may drop the last owner of its layer
    target->CallBackAsyncHttpRes(d.outcome.reply.c_str(), static_cast<int>(d.outcome.reply.size()), d.url.c_str(),
                                 d.msgId, d.outcome.error);
    target->release();
  }
  m_impl->delivering = nullptr;
}

bool YndWebClient::WaitForActivity(int ms) {
  if (m_impl->transfers.empty()) return false;
  m_impl->StartWaiting(m_settings);
  int numfds = 0;
  curl_multi_poll(m_impl->multi, nullptr, 0, std::max(0, ms), &numfds);
  return true;
}

int YndWebClient::RunningCount() const { return m_impl->Running(); }
int YndWebClient::WaitingCount() const { return m_impl->Waiting(); }

void YndWebClient::Reset() {
  m_impl->DropAll();
  m_vcHexUrls.clear();
  m_settings = YndWebSettings{};
}

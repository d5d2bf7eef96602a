#include "platform/framework/YndAes.h"

#include <openssl/evp.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kNonce = 12;
constexpr int kTag = 16;

struct CtxFree {
  void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
using Ctx = std::unique_ptr<EVP_CIPHER_CTX, CtxFree>;

bool DeriveKey(const char* key, int keyLen, unsigned char out[16]) {
  if (key == nullptr || keyLen < 0) return false;
  unsigned char digest[SHA256_DIGEST_LENGTH];
  if (SHA256(reinterpret_cast<const unsigned char*>(key), static_cast<std::size_t>(keyLen), digest) == nullptr)
    return false;
  std::memcpy(out, digest, 16);
  return true;
}

bool ArgumentsOk(const char* in, int len, char* out, const int* outLen) {
  return len >= 0 && (in != nullptr || len == 0) && out != nullptr && outLen != nullptr && *outLen >= 0;
}

}  // namespace

int aes_enc_r(const char* in, int len, const char* key, int keyLen, char* out, int* outLen) {
  unsigned char aesKey[16];
  if (!ArgumentsOk(in, len, out, outLen) || len > (1 << 30) || !DeriveKey(key, keyLen, aesKey)) return -1;
  const int need = len + kAesOverhead;
  if (*outLen < need) return -1;
  std::vector<unsigned char> result(static_cast<std::size_t>(need));
  if (RAND_bytes(result.data(), kNonce) != 1) return -1;
  Ctx ctx(EVP_CIPHER_CTX_new());
  int written = 0;
  int last = 0;
  if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_128_gcm(), nullptr, aesKey, result.data()) != 1 ||
      (len > 0 && EVP_EncryptUpdate(ctx.get(), result.data() + kNonce, &written,
                                    reinterpret_cast<const unsigned char*>(in), len) != 1) ||
      EVP_EncryptFinal_ex(ctx.get(), result.data() + kNonce + written, &last) != 1 ||
      written + last != len ||
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTag, result.data() + kNonce + len) != 1)
    return -1;
  std::memcpy(out, result.data(), result.size());
  *outLen = need;
  return 0;
}

int aes_dec_r(const char* in, int len, const char* key, int keyLen, char* out, int* outLen) {
  unsigned char aesKey[16];
  if (!ArgumentsOk(in, len, out, outLen) || len < kAesOverhead || !DeriveKey(key, keyLen, aesKey)) return -1;
  const int plain = len - kAesOverhead;
  if (*outLen < plain) return -1;
  const auto* bytes = reinterpret_cast<const unsigned char*>(in);
  std::vector<unsigned char> result(static_cast<std::size_t>(plain) + 1);
  unsigned char tag[kTag];
  std::memcpy(tag, bytes + kNonce + plain, kTag);
  Ctx ctx(EVP_CIPHER_CTX_new());
  int written = 0;
  int last = 0;
  if (!ctx || EVP_DecryptInit_ex(ctx.get(), EVP_aes_128_gcm(), nullptr, aesKey, bytes) != 1 ||
      (plain > 0 && EVP_DecryptUpdate(ctx.get(), result.data(), &written, bytes + kNonce, plain) != 1) ||
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTag, tag) != 1 ||
      EVP_DecryptFinal_ex(ctx.get(), result.data() + written, &last) != 1 || written + last != plain)
    return -1;
  if (plain > 0) std::memcpy(out, result.data(), static_cast<std::size_t>(plain));
  *outLen = plain;
  return 0;
}

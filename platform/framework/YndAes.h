// The framework's cipher for bytes the client keeps for itself for a while
// (a game frame stashed until its view is back): AES-128-GCM through
// libcrypto. The key is any text (its SHA-256, cut to 16 bytes, is the AES
// key); each call draws a fresh 12-byte nonce. The output is the nonce, the
// ciphertext (as long as the input) and the 16-byte tag: len + kAesOverhead
// bytes. Decryption checks the tag, so a wrong key or a changed byte fails.
//
// `*outLen` carries the capacity of `out` in and the length written out. Both
// answer 0 on success; -1 (output and `*outLen` untouched) for a bad argument,
// a capacity too small for the result, or (decryption) bytes that do not
// decrypt with that key.
#pragma once

constexpr int kAesOverhead = 12 + 16;

int aes_enc_r(const char* in, int len, const char* key, int keyLen, char* out, int* outLen);
int aes_dec_r(const char* in, int len, const char* key, int keyLen, char* out, int* outLen);

#include "net/PasswordProof.h"

#include <sodium.h>

#include <stdexcept>
#include <string>

namespace fl3::net {

SystemNonces::SystemNonces() {
  if (sodium_init() < 0) throw std::runtime_error("libsodium could not start");
}

void SystemNonces::Fill(std::uint8_t* bytes, std::size_t size) { randombytes_buf(bytes, size); }

bool DeriveKey(std::string_view password, const Salt& salt, PasswordKey& key) {
  static_assert(sizeof(Salt) == crypto_pwhash_SALTBYTES);
  if (sodium_init() < 0) return false;
  return crypto_pwhash(key.data(), key.size(), password.data(), password.size(), salt.data(),
                       crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                       crypto_pwhash_ALG_ARGON2ID13) == 0;
}

Proof Prove(const PasswordKey& key, const Nonce& nonce, std::string_view name) {
  // The name is bound in, so an answer cannot be replayed under another name.
  std::string message(reinterpret_cast<const char*>(nonce.data()), nonce.size());
  message.append("fuselark3 join ");
  message.append(name);
  Proof proof{};
  crypto_generichash(proof.data(), proof.size(), reinterpret_cast<const unsigned char*>(message.data()),
                     message.size(), key.data(), key.size());
  return proof;
}

bool Verify(const PasswordKey& key, const Nonce& nonce, std::string_view name, const Proof& proof) {
  const Proof expected = Prove(key, nonce, name);
  return sodium_memcmp(expected.data(), proof.data(), proof.size()) == 0;
}

}  // namespace fl3::net

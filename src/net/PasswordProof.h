#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fl3::net {

using PasswordKey = std::array<std::uint8_t, 32>;
using Nonce = std::array<std::uint8_t, 32>;
using Salt = std::array<std::uint8_t, 16>;
using Proof = std::array<std::uint8_t, 32>;

// Where challenges and salts come from: the system's random source in the
// game, a seeded one in tests.
class NonceSource {
 public:
  virtual ~NonceSource() = default;
  virtual void Fill(std::uint8_t* bytes, std::size_t size) = 0;
};

class SystemNonces : public NonceSource {
 public:
  SystemNonces();
  void Fill(std::uint8_t* bytes, std::size_t size) override;
};

// The same bytes from the same seed: for tests and the in-memory link.
class SeededNonces : public NonceSource {
 public:
  explicit SeededNonces(std::uint64_t seed) : state_(seed) {}
  void Fill(std::uint8_t* bytes, std::size_t size) override {
    for (std::size_t i = 0; i < size; ++i) {
      state_ = state_ * 6364136223846793005u + 1442695040888963407u;
      bytes[i] = static_cast<std::uint8_t>(state_ >> 56);
    }
  }

 private:
  std::uint64_t state_;
};

// The password never travels: the host sends a salt and a fresh nonce, the
// client answers with a keyed hash of the nonce and its name under a key
// stretched from the password and salt (Argon2, so a captured answer costs a
// guesser dearly). False when the key cannot be made (out of memory).
bool DeriveKey(std::string_view password, const Salt& salt, PasswordKey& key);
Proof Prove(const PasswordKey& key, const Nonce& nonce, std::string_view name);
bool Verify(const PasswordKey& key, const Nonce& nonce, std::string_view name, const Proof& proof);

}  // namespace fl3::net

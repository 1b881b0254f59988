#pragma once
// The obfuscation of published script bodies: every byte XORed with a fixed
// repeating key. It keeps a casual reader from the code; it is not
// encryption (the key ships with every engine). The engine's exec_encoded
// reverses it after Base64 decoding.

#include <string>

namespace script_cipher {

// The key, so that the engine stand-in and tests reverse the same thing.
const std::string &key();

// XOR is its own inverse: the same call enciphers and deciphers.
std::string encipher(const std::string &plain);
std::string decipher(const std::string &ciphered);

} // namespace script_cipher

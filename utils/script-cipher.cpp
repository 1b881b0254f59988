#include "utils/script-cipher.h"

namespace script_cipher {

const std::string &key()
{
    static const std::string k = "vx-script-body/7";
    return k;
}

std::string encipher(const std::string &plain)
{
    const std::string &k = key();
    std::string out(plain);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(out[i] ^ k[i % k.size()]);
    return out;
}

std::string decipher(const std::string &ciphered)
{
    return encipher(ciphered);
}

} // namespace script_cipher

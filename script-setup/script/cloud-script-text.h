#pragma once
// The stored text of a cloud script, which the cloud service may deliver
// enciphered (Base64 of the script cipher) or in plain text. The page only
// needs it to read the header; the code itself is never shown.

#include <string>

namespace cloud_script {

struct Text
{
    bool ok = false;
    std::string text; // the script, deciphered when it came enciphered
    bool enciphered = false;
    std::string error; // why it cannot be read, when !ok
};

// Base64 (whole lines of its alphabet) must decipher to text; other text
// that reads as text is taken as it stands; anything else (binary, or Base64
// of a cipher this build does not know) cannot be read.
Text readable(const std::string &stored);

} // namespace cloud_script

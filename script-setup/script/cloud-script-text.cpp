#include "script-setup/script/cloud-script-text.h"

#include "utils/script-cipher.h"

#include <QByteArray>
#include <QTextCodec>
#include <cctype>

namespace cloud_script {
namespace {

// Valid UTF-8 without control characters other than tab and line ends.
bool is_text(const std::string &s)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(s.data(), static_cast<int>(s.size()), &state);
    if (state.invalidChars > 0)
        return false;
    for (unsigned char c : s)
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    return true;
}

bool is_base64(const std::string &s)
{
    bool any = false;
    for (unsigned char c : s) {
        if (std::isspace(c))
            continue;
        if (!std::isalnum(c) && c != '+' && c != '/' && c != '=')
            return false;
        any = true;
    }
    return any;
}

} // namespace

Text readable(const std::string &stored)
{
    Text out;
    if (is_base64(stored)) {
        // Published bodies come cut into lines; the decoder wants them joined.
        const auto decoded = QByteArray::fromBase64Encoding(
            QByteArray::fromStdString(stored).simplified().replace(' ', QByteArray()),
            QByteArray::AbortOnBase64DecodingErrors);
        if (decoded) {
            std::string plain = script_cipher::decipher(decoded.decoded.toStdString());
            if (is_text(plain)) {
                out.ok = out.enciphered = true;
                out.text = std::move(plain);
                return out;
            }
        }
    }
    if (is_text(stored)) {
        out.ok = true;
        out.text = stored;
        return out;
    }
    out.error = "cannot decipher the script text";
    return out;
}

} // namespace cloud_script

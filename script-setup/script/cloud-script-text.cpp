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

// Base64 as a cipher leaves it: lines of the Base64 alphabet, blanks only
// around them, padding only at the end, whole groups of four. Python code
// has blanks or punctuation inside its lines, so it does not pass.
bool is_base64(const std::string &s, QByteArray &joined)
{
    joined.clear();
    for (const QByteArray &line : QByteArray::fromStdString(s).split('\n')) {
        const QByteArray piece = line.trimmed();
        for (char c : piece)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '/' && c != '=')
                return false;
        joined += piece;
    }
    const int padding = joined.size() - joined.indexOf('=');
    return !joined.isEmpty() && joined.size() % 4 == 0 &&
           (!joined.contains('=') || (padding <= 2 && joined.endsWith(QByteArray(padding, '='))));
}

} // namespace

Text readable(const std::string &stored)
{
    Text out;
    QByteArray joined;
    if (is_base64(stored, joined)) {
        const auto decoded =
            QByteArray::fromBase64Encoding(joined, QByteArray::AbortOnBase64DecodingErrors);
        std::string plain;
        if (decoded)
            plain = script_cipher::decipher(decoded.decoded.toStdString());
        // Base64 that yields no text was enciphered some other way; taking
        // it as plain text would show an empty form and no error.
        if (!decoded || !is_text(plain)) {
            out.error = "cannot decipher the script text";
            return out;
        }
        out.ok = out.enciphered = true;
        out.text = std::move(plain);
        return out;
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

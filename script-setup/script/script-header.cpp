#include "script-setup/script/script-header.h"

#include "utils/logging.h"
#include "utils/text.h"

#include <QDomDocument>
#include <QStringList>
#include <algorithm>
#include <boost/regex.hpp>

namespace script_header {
namespace {

const char GAVE_UP_LINE[] = "SCRIPT GUI: header expression gave up (%s), reading it linearly\n";

QString strip_comment_block(const std::string &block)
{
    // Neither expression can backtrack: each "#" starts one bounded attempt.
    static const boost::regex coding(
        "#[ \\r\\t]*-\\*-[ \\r\\t]*coding:[ \\r\\t]*[A-Za-z0-9_\\-]*[ \\r\\t]*-\\*-[ \\t\\r]*\\n");
    static const boost::regex hash("#([^\\n]*)");
    try {
        const std::string without_coding = boost::regex_replace(block, coding, "");
        return from_utf8(boost::regex_replace(without_coding, hash, "$1")).trimmed();
    } catch (const std::exception &e) {
        VX_LOG(2, GAVE_UP_LINE, e.what());
    }
    return QString();
}

bool parse(QDomDocument &document, const std::string &xml)
{
    return !xml.empty() &&
           document.setContent(QByteArray(xml.data(), static_cast<int>(xml.size())));
}

QString translate_in(const QDomDocument &ts, const QString &text)
{
    const QDomNodeList contexts = ts.elementsByTagName(QStringLiteral("context"));
    for (int c = 0; c < contexts.size(); ++c) {
        for (QDomElement message = contexts.at(c).firstChildElement(QStringLiteral("message"));
             !message.isNull(); message = message.nextSiblingElement(QStringLiteral("message"))) {
            if (message.firstChildElement(QStringLiteral("source")).text() != text)
                continue;
            const QDomElement translation =
                message.firstChildElement(QStringLiteral("translation"));
            if (translation.isNull() ||
                translation.attribute(QStringLiteral("type")) == QLatin1String("unfinished"))
                return text;
            return translation.text();
        }
    }
    return text;
}

void set_text(QDomElement &element, const QString &text)
{
    while (!element.firstChild().isNull())
        element.removeChild(element.firstChild());
    element.appendChild(element.ownerDocument().createTextNode(text));
}

void translate_element(const QDomDocument &ts, QDomElement element)
{
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (child.tagName() == QLatin1String("name")) {
            set_text(child, translate_in(ts, child.text().trimmed()));
        } else if (child.tagName() == QLatin1String("string_list")) {
            QStringList items = child.text().split(QLatin1Char(','));
            for (QString &item : items)
                item = translate_in(ts, item);
            set_text(child, items.join(QLatin1Char(',')));
        } else {
            translate_element(ts, child);
        }
    }
}

} // namespace

Parts split(const std::string &text)
{
    Parts parts;
    std::string failure;
    if (expression::split(text, parts, &failure))
        return parts;
    VX_LOG(2, GAVE_UP_LINE, failure.c_str());
    return linear::split(text);
}

std::string declaration(const std::string &text)
{
    std::string doc;
    std::string failure;
    if (!expression::docstring(text, doc, &failure)) {
        VX_LOG(2, GAVE_UP_LINE, failure.c_str());
        doc = linear::split(text).docstring;
    }
    if (doc.size() < 2)
        return std::string();
    // A one-line literal never ends in the triple quote it starts with: the
    // triple form would have matched first.
    const std::string opening = doc.substr(0, 3);
    const bool triple = doc.size() >= 6 && (opening == "\"\"\"" || opening == "'''") &&
                        doc.compare(doc.size() - 3, 3, opening) == 0;
    const size_t quotes = triple ? 3 : 1;
    return doc.substr(quotes, doc.size() - 2 * quotes);
}

int description_end(const QString &editor_text)
{
    for (int end = 0; end < editor_text.size();) {
        int line_end = editor_text.indexOf(QLatin1Char('\n'), end);
        line_end = line_end < 0 ? editor_text.size() : line_end + 1;
        const bool comment = editor_text[end] == QLatin1Char('#');
        const bool blank =
            std::all_of(editor_text.begin() + end, editor_text.begin() + line_end,
                        [](QChar c) { return c == '\n' || c == '\r' || c == '\t' || c == ' '; });
        end = line_end;
        if (!comment && !blank)
            return end;
    }
    return -1;
}

QString description_text(const QString &editor_text, const std::string &actual_ts)
{
    // Only the leading blank and comment lines and the line after them can
    // hold the description: a long script is not converted as a whole.
    const std::string text = to_utf8(editor_text.left(description_end(editor_text)));
    std::string block;
    std::string failure;
    if (!expression::comment_block(text, block, &failure)) {
        VX_LOG(2, GAVE_UP_LINE, failure.c_str());
        block = linear::comment_block(text);
    }
    if (block.empty())
        return QString();
    return translate(strip_comment_block(block), actual_ts);
}

QString translate(const QString &text, const std::string &actual_ts)
{
    QDomDocument ts;
    if (!parse(ts, actual_ts))
        return text;
    return translate_in(ts, text);
}

std::string translate_declaration(const std::string &declaration, const std::string &actual_ts)
{
    QDomDocument ts;
    QDomDocument document;
    if (!parse(ts, actual_ts) || !parse(document, declaration))
        return declaration;
    translate_element(ts, document.documentElement());
    return to_utf8(document.toString(1));
}

} // namespace script_header

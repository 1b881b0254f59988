#include "script-setup/email-checks.h"

namespace email_checks {
namespace {

// Patterns are copied out of the library (fromLatin1, never QStringLiteral):
// Qt's process-wide pattern cache keeps them after the library is unloaded.
// Built once; the pages use them on the GUI thread only.
const QRegExp &host_name_check()
{
    static const QRegExp re(
        QString::fromLatin1("^([a-zA-Z0-9]([a-zA-Z0-9\\-]{0,61}[a-zA-Z0-9])?\\.)+[a-zA-Z]{2,6}$"));
    return re;
}

const QRegExp &ipv4_check()
{
    static const QRegExp re(QString::fromLatin1("^([0-9]{1,3}\\.){3}[0-9]{1,3}$"));
    return re;
}

} // namespace

QRegExp server_address_filter()
{
    return QRegExp(QString::fromLatin1("[a-zA-Z0-9\\-\\.]*"));
}

QRegExp username_filter()
{
    return QRegExp(QString::fromLatin1("(\\w)+([-+\\.]\\w+)*@\\w+([-\\.]\\w+)*"));
}

bool valid_server_address(const QString &text)
{
    return text.isEmpty() || host_name_check().indexIn(text) >= 0 ||
           ipv4_check().indexIn(text) >= 0;
}

NameProblem check_name(const QString &name, const std::string &own_guid, const AccountNames &names)
{
    if (name.isEmpty())
        return NAME_EMPTY;
    const QByteArray utf8 = name.toUtf8();
    const auto it = names.find(std::string(utf8.constData(), static_cast<size_t>(utf8.size())));
    if (it == names.end())
        return NAME_OK;
    for (const std::string &guid : it->second)
        if (guid != own_guid)
            return NAME_USED;
    return NAME_OK;
}

} // namespace email_checks

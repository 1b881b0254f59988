#pragma once
// The checks of an e-mail account's fields. They only warn: the values are
// stored as typed.

#include <QRegExp>
#include <QString>
#include <map>
#include <set>
#include <string>

namespace email_checks {

// What may be typed: the validators of the "server_address" and "username" fields.
QRegExp server_address_filter();
QRegExp username_filter();

// A dotted host name ending in a label of 2 to 6 letters, or four groups of
// 1 to 3 digits. Empty counts as valid: nothing entered yet.
bool valid_server_address(const QString &text);

// The accounts of one folder: name (UTF-8) -> the guids of the accounts so named.
typedef std::map<std::string, std::set<std::string>> AccountNames;

enum NameProblem { NAME_OK, NAME_EMPTY, NAME_USED };

// NAME_USED when an account other than own_guid has the name.
NameProblem check_name(const QString &name, const std::string &own_guid, const AccountNames &names);

} // namespace email_checks

#include "script-setup/inserters/inserter-text.h"

#include "utils/text.h"

namespace inserter_text {

QString object_ref(const QString &name)
{
    return QStringLiteral("object(\"") + name + QStringLiteral("\")");
}

QString method_ref(const QString &object, const QString &signature)
{
    return object_ref(object) + '.' + signature;
}

QString state_ref(const QString &object, const QString &state)
{
    return object_ref(object) + QStringLiteral(".state(\"") + state + QStringLiteral("\")");
}

QString state_condition(const QString &object, const QString &state, const QString &value,
                        bool equal)
{
    return state_ref(object, state) + (equal ? QStringLiteral(" == ") : QStringLiteral(" != ")) +
           '"' + value + '"';
}

QString with_operation(QString text, int index)
{
    if (index == 0)
        return text.replace(QStringLiteral("!="), QStringLiteral("=="));
    return text.replace(QStringLiteral("=="), QStringLiteral("!="));
}

QString strip_object_wrappers(QString text)
{
    return text.remove(QStringLiteral("object(\"")).remove(QStringLiteral("\")"));
}

QString argument_type_name(int code)
{
    switch (code) {
    case Rizurividuvez::ARGUMENT_INTEGER:
        return QStringLiteral("integer");
    case Rizurividuvez::ARGUMENT_STRING:
        return QStringLiteral("string");
    case Rizurividuvez::ARGUMENT_REAL:
        return QStringLiteral("real");
    default:
        return QString();
    }
}

QString method_signature(const Rizurividuvez::CatalogueMethod &method)
{
    QStringList arguments;
    for (const auto &a : method.arguments)
        arguments.append(argument_type_name(a.type) + '_' + from_utf8(a.name));
    return from_utf8(method.name) + '(' + arguments.join(QStringLiteral(", ")) + ')';
}

QString settings_folder_ref(const QString &path)
{
    return QStringLiteral("settings(\"") + path + QStringLiteral("\")");
}

QString settings_value_ref(const QString &folder_path, const QString &key)
{
    return settings_folder_ref(folder_path) + QStringLiteral("[\"") + key + QStringLiteral("\"]");
}

QString settings_plain_path(QString text)
{
    return text.remove(QStringLiteral("settings(\""))
        .remove(QStringLiteral("\")"))
        .replace(QStringLiteral("[\""), QStringLiteral("/"))
        .remove(QStringLiteral("\"]"));
}

} // namespace inserter_text

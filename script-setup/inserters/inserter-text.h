#pragma once
// The Python texts that the inserter dialogs hand back: object, method, state
// and condition forms, settings references and their plain-path form.

#include "plugin/objects-catalogue-service.h"

#include <QString>
#include <QStringList>

namespace inserter_text {

// object("name")
QString object_ref(const QString &name);
// object("name").signature
QString method_ref(const QString &object, const QString &signature);
// object("name").state("state")
QString state_ref(const QString &object, const QString &state);
// object("name").state("state") == "value" (or !=)
QString state_condition(const QString &object, const QString &state, const QString &value,
                        bool equal);
// Switches the comparison of a condition: index 0 gives ==, 1 gives !=.
QString with_operation(QString text, int index);
// Removes every object(" and every ").
QString strip_object_wrappers(QString text);

// "integer", "string" or "real" for the codes 20, 21, 22; empty otherwise.
QString argument_type_name(int code);
// name(type_argname, ...), as in move(integer_x, integer_y).
QString method_signature(const Rizurividuvez::CatalogueMethod &method);

// settings("path") and settings("folder")["key"].
QString settings_folder_ref(const QString &path);
QString settings_value_ref(const QString &folder_path, const QString &key);
// Removes settings(" and "), turns [" into / and drops "].
QString settings_plain_path(QString text);

} // namespace inserter_text

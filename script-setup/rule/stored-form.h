#pragma once
// The rule as its folder stores it (keys "activation_type" ... "action9_name")
// and the conversions between that form and the page's value. The folder
// reads and writes are in rule-folder.h.

#include "script-setup/rule/rule.h"
#include "script-setup/rule/variable-names.h"

namespace rule {

// One action's four keys: "action%i_type", "action%i", "_params", "_name".
struct StoredAction
{
    int code = -1;
    QString action;
    QString params;
    QString name;

    bool operator==(const StoredAction &o) const
    {
        return code == o.code && action == o.action && params == o.params && name == o.name;
    }
};

struct StoredRule
{
    int activation_code = NO_ACTIVATION;
    QStringList activation_list;
    QStringList activation_names;
    QStringList activation_params;
    QString condition;
    std::vector<StoredAction> actions;
};

// Lists inside a key are joined by "\n" and keep empty items; an empty text
// is one empty item.
QStringList split_list(const QString &text);
QString join_list(const QStringList &items);

// "A or B  " for rows A and B joined by OR; empty for no rows.
QString join_condition(const std::vector<ConditionRow> &rows);
// Splits at every whole word "and" or "or", so a row whose own text holds
// one comes back as several rows.
std::vector<ConditionRow> split_condition(const QString &condition);

// The three lists of the activation. Settings and state-change entries get
// a variable name each from `names`.
void encode_activation(const Activation &activation, VariableNames &names, StoredRule *out);
// The activation page filled from the lists; an unknown code gives none.
Activation decode_activation(const StoredRule &stored);

StoredAction encode_action(const Action &action);
// False for a code that no action has (7, -1, ...): the row is skipped.
bool decode_action(const StoredAction &stored, Action *out);

// The whole rule; actions after the tenth are dropped.
StoredRule encode_rule(const Rule &rule, VariableNames &names);
// Sound actions are dropped where the host cannot play sound.
Rule decode_rule(const StoredRule &stored, bool sound_allowed = true);

// The stored form of a call-method parameter name made from the caption of
// its row: the caption without its last character, blanks turned into "_".
QString parameter_name_from_caption(const QString &caption);

} // namespace rule

#include "script-setup/rule/rule-folder.h"
#include "tests/script-setup/rule/rule-fixture.h"
#include "tests/support/page-fixture.h"
#include "utils/text.h"

#include <QJsonDocument>

using namespace rule_test;

namespace {

const char *const RULE = "/DEMO/scripts/r1";

TEST(RuleStoredForm, EncodingsOfEveryActionKind)
{
    for (const QJsonValue row : cases("stored").toArray()) {
        const Action action = rule_from_json({{"actions", QJsonArray{row[0]}}}).actions.front();
        const QJsonArray s = row[1].toArray();
        const StoredAction stored{s[0].toInt(), s[1].toString(), s[2].toString(), s[3].toString()};
        const std::string what = QJsonDocument(row.toArray()).toJson().toStdString();
        // "lossy": the encoding drops what the action held; "older form": read only.
        EXPECT_TRUE(row[2] == "older form" || stored == encode_action(action)) << what;
        Action back;
        EXPECT_TRUE(decode_action(stored, &back));
        EXPECT_TRUE(row[2] == "lossy" || back == action) << what;
    }
}

// The clipboard script is built from the decoded rule: decoding loses only
// the spacing of the operator's lists, so encoding again stores the same.
TEST(RuleStoredForm, EveryGoldenRulesActivationComesBack)
{
    const QJsonObject golden = cases("golden").toObject();
    for (auto g = golden.begin(); g != golden.end(); ++g) {
        VariableNames first_names, second_names;
        const StoredRule first = encode_rule(rule_from_json(g->toObject()), first_names);
        const StoredRule second = encode_rule(decode_rule(first, true), second_names);
        EXPECT_EQ(
            std::tie(first.activation_code, first.activation_list, first.activation_params),
            std::tie(second.activation_code, second.activation_list, second.activation_params))
            << g.key().toStdString();
    }
}

TEST(RuleStoredForm, VariableNames)
{
    // Each row: texts given in turn to one list ("" empties it), the names.
    for (const QJsonValue row : cases("variable_names").toArray()) {
        const QStringList texts = row[0].toVariant().toStringList();
        VariableNames names;
        QStringList got;
        for (const QString &text : texts) {
            got << (text.isEmpty() ? QString() : names.generate(text));
            if (text.isEmpty())
                names.clear();
        }
        EXPECT_EQ(row[1].toVariant().toStringList(), got) << texts.join('|').toStdString();
    }
}

struct RuleFolderTest : PageTest
{
    Settings folder = tree.make_folder(RULE, "Rule");
};

TEST_F(RuleFolderTest, StoredFormEdgeCases)
{
    for (const QJsonValue row : cases("folder").toArray()) {
        const std::string what = row["what"].toString().toStdString();
        tree.clear_calls();
        VariableNames names;
        EXPECT_TRUE(
            save_stored_rule(folder, encode_rule(rule_from_json(row["rule"].toObject()), names)));
        QStringList written;
        for (const auto &c : tree.calls())
            if (c.op.compare(0, 4, "set_") == 0)
                written << QString::fromStdString(c.key);
        const QStringList last = row["written_last"].toVariant().toStringList();
        EXPECT_EQ(last.join(' ').toStdString(),
                  written.mid(written.size() - last.size()).join(' ').toStdString());
        const QJsonObject put = row["put"].toObject();
        for (auto k = put.begin(); k != put.end(); ++k)
            tree.put_integer(RULE, k.key().toStdString(), k->toInt());
        if (row["reset"].toBool()) {
            ASSERT_TRUE(reset_rule_settings(folder)) << what;
        }
        const QJsonObject keys = row["keys"].toObject();
        for (auto k = keys.begin(); k != keys.end(); ++k) {
            const std::string name = k.key().toStdString();
            const QVariant stored = k->isString()
                                        ? QVariant(from_utf8(tree.string_value(RULE, name)))
                                        : QVariant(tree.integer_value(RULE, name));
            EXPECT_EQ(k->toVariant(), stored) << what << ": " << name;
        }
        for (const QJsonValue absent : row["absent"].toArray())
            EXPECT_FALSE(tree.has(RULE, absent.toString().toStdString())) << what;
        const Rule loaded = load_rule(folder, row["sound_allowed"].toBool(true));
        EXPECT_EQ(row["loaded_actions"].toInt(int(loaded.actions.size())),
                  int(loaded.actions.size()))
            << what;
        if (row["loaded_conditions"].isArray()) {
            EXPECT_EQ(rule_from_json({{"conditions", row["loaded_conditions"]}}).conditions,
                      loaded.conditions)
                << what;
        }
        EXPECT_TRUE(!row["log"].isString() ||
                    host.log().contains(row["log"].toString().toStdString(), 2))
            << what;
    }
}

// Save stores the script the clipboard gets from the same value and names;
// copying hands out no names, so copying twice gives the same script.
TEST_F(RuleFolderTest, ScriptToTheClipboardIsWhatSaveStores)
{
    const Rule r =
        rule_from_json({{"activation", QJsonObject{{"code", 3}, {"state_objects", "a;a"}}}});
    VariableNames names({"object__a__"});
    const QString copied = script_to_save(r, names);
    EXPECT_TRUE(copied.contains("\nobject__a__1 = object(\"a\")\n"));
    EXPECT_EQ(copied, script_to_save(r, names));
    EXPECT_EQ(QStringList{"object__a__"}, names.used());
    ASSERT_TRUE(save_rule(folder, r, names));
    EXPECT_TRUE(names.used().isEmpty());
    EXPECT_EQ("a\na1", tree.string_value(RULE, "activation_names"));
    EXPECT_EQ(copied.toStdString(), tree.string_value(RULE, "script"));
}

} // namespace

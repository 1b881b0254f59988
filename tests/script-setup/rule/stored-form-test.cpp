#include "memory-host/fault-sweep.h"
#include "script-setup/rule/rule-folder.h"
#include "script-setup/rule/rule-script.h"
#include "tests/script-setup/rule/rule-fixture.h"
#include "utils/logging.h"

#include <QFile>
#include <QJsonDocument>

using namespace rule_test;

namespace {

const char *const RULE = "/DEMO/scripts/r1";

TEST(RuleStoredForm, EncodingsOfEveryActionKind)
{
    QFile file(QStringLiteral(VX_TEST_DATA_DIR "/rule/cases.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (const QJsonValue row : QJsonDocument::fromJson(file.readAll())["stored"].toArray()) {
        const Action action = rule_from_json({{"actions", QJsonArray{row[0]}}}).actions.front();
        const QJsonArray s = row[1].toArray();
        const StoredAction stored{s[0].toInt(), s[1].toString(), s[2].toString(), s[3].toString()};
        const std::string what = QJsonDocument(row.toArray()).toJson().toStdString();
        EXPECT_EQ(stored, encode_action(action)) << what;
        Action back;
        EXPECT_TRUE(decode_action(stored, &back));
        EXPECT_TRUE(row[2].isString() || back == action) << what;
    }
    Action a;
    EXPECT_FALSE(decode_action({7, "", "5", ""}, &a));
    EXPECT_FALSE(decode_action({-1, "", "", ""}, &a));
    ASSERT_TRUE(decode_action({POS_REPORT, "13", "2", "o"}, &a)); // report in the action key
    EXPECT_EQ(13, a.report);
    EXPECT_EQ(2, a.interval);
}

TEST(RuleStoredForm, VariableNames)
{
    // Each row: texts given in turn to one list ("" empties it), the names.
    const std::vector<std::pair<QStringList, QStringList>> table = {
        {{"Cam 1"}, {"cam_1"}},
        {{"Камера"}, {"kamera"}},
        {{"1st", "9"}, {"_st", "_"}},
        {{"settings(\"a/b\")"}, {"settings__a_b__"}},
        {{"x", "x", "X", "x1"}, {"x", "x1", "x2", "x11"}},
        {{"x", "", "x"}, {"x", "", "x"}},
    };
    for (const auto &row : table) {
        VariableNames names;
        QStringList got;
        for (const QString &text : row.first) {
            got << (text.isEmpty() ? QString() : names.generate(text));
            if (text.isEmpty())
                names.clear();
        }
        EXPECT_EQ(row.second, got) << row.first.join('|').toStdString();
    }
}

struct RuleFolderTest : ::testing::Test
{
    memory_host::MemoryHost host;
    memory_host::MemoryTree &tree = host.tree();
    Settings folder = tree.make_folder(RULE, "Rule");
    RuleFolderTest() { logging_facility::set_sink(host.log_sink()); }
    ~RuleFolderTest() override { logging_facility::set_sink({}); }

    StoredRule saved(const QJsonObject &json)
    {
        VariableNames names;
        const StoredRule stored = encode_rule(rule_from_json(json), names);
        EXPECT_TRUE(save_stored_rule(folder, stored));
        return stored;
    }
    std::string key(const char *name) { return tree.string_value(RULE, name); }
};

TEST_F(RuleFolderTest, StoredFormEdgeCases)
{
    QJsonArray eleven;
    for (int i = 0; i < 11; ++i)
        eleven.append(QJsonObject{{"code", 2}, {"seconds", i + 1}});
    saved({{"actions", eleven}});
    EXPECT_EQ(10, tree.integer_value(RULE, "action_count"));
    EXPECT_FALSE(tree.has(RULE, "action10_type"));
    EXPECT_EQ(10u, load_rule(folder).actions.size());

    saved(
        {{"activation", QJsonObject{{"code", 1}}}, {"actions", QJsonArray{eleven[0], eleven[1]}}});
    EXPECT_EQ(1, tree.integer_value(RULE, "activation_type"));
    for (const char *k : {"activation_list", "activation_names", "activation_params"})
        EXPECT_EQ("", key(k)) << k;
    ASSERT_TRUE(reset_rule_settings(folder));
    for (int i = 0; i < 10; ++i) {
        const std::string n = "action" + std::to_string(i);
        EXPECT_EQ(-1, tree.integer_value(RULE, (n + "_type").c_str()));
        for (const char *suffix : {"", "_params", "_name"})
            EXPECT_EQ("", key((n + suffix).c_str()));
    }

    saved({{"activation", QJsonObject{{"code", 2}, {"settings", "a;;b"}}}});
    EXPECT_EQ("a\n\nb", key("activation_list"));
    saved({{"activation", QJsonObject{{"code", 3}, {"state_objects", "x;x"}}}});
    EXPECT_EQ("x\nx1", key("activation_names"));

    saved({{"conditions",
            QJsonArray{QJsonArray{"name == \"a or b\"", false}, QJsonArray{"c", true}}}});
    EXPECT_EQ("name == \"a or b\" or c  ", key("condition"));
    const std::vector<ConditionRow> rows = {{"name == \"a", false}, {"b\"", true}, {"c", true}};
    EXPECT_EQ(rows, load_rule(folder).conditions);

    // The keys of one action in order, and the count after them.
    tree.clear_calls();
    saved({{"actions", QJsonArray{eleven[0]}}});
    std::vector<std::string> keys;
    for (const auto &c : tree.calls())
        if (c.op.compare(0, 4, "set_") == 0)
            keys.push_back(c.key);
    const std::vector<std::string> last(keys.end() - 5, keys.end());
    EXPECT_EQ((std::vector<std::string>{"action0_type", "action0", "action0_params", "action0_name",
                                        "action_count"}),
              last);

    tree.clear_calls();
    ASSERT_TRUE(delete_rule(folder));
    ASSERT_EQ(1u, tree.calls_of("set_string").size());
    EXPECT_EQ("rule_erase", tree.calls_of("set_string")[0].key);
    EXPECT_EQ("r1", tree.string_value("/DEMO/scripts", "rule_erase"));
}

TEST_F(RuleFolderTest, LoadSkipsWhatNoActionIsAndCapsTheCount)
{
    saved({{"actions",
            QJsonArray{QJsonObject{{"code", 3}, {"sound", "s"}}, QJsonObject{{"code", 2}}}}});
    tree.put_integer(RULE, "action1_type", 7);
    EXPECT_EQ(1u, load_rule(folder).actions.size());
    EXPECT_EQ(0u, load_rule(folder, false).actions.size());
    tree.put_integer(RULE, "action_count", 1 << 30);
    EXPECT_EQ(1u, load_rule(folder).actions.size()); // index 2 refused: its keys are empty
    EXPECT_TRUE(host.log().contains("RULE GUI: cannot load: action_count 1073741824", 2));
    EXPECT_EQ(0, tree.lock_balance());
}

// A refused call anywhere in load, save, script, reset and delete: logged,
// lock balanced, and the load that follows a save reads the saved actions
// in order, never a half-written one.
TEST(RuleFolder, FaultSweep)
{
    memory_host::FaultSweep sweep;
    sweep.make_host = [] {
        auto host = std::make_unique<memory_host::MemoryHost>();
        host->tree().make_folder(RULE, "Rule");
        host->tree().put_integer(RULE, "activation_type", -1);
        host->tree().put_integer(RULE, "action_count", 0);
        return host;
    };
    sweep.scenario = [](memory_host::MemoryHost &host) {
        const Settings folder = host.tree().folder(RULE);
        const QJsonArray actions = {QJsonObject{{"code", 2}, {"seconds", 4}},
                                    QJsonObject{{"code", 3}, {"sound", "s"}}};
        const Rule rule = rule_from_json({{"actions", actions}});
        load_rule(folder);
        VariableNames names;
        save_stored_rule(folder, encode_rule(rule, names));
        store_script(folder, generate_script(rule, names.used()).text);
        const std::vector<Action> read = load_rule(folder).actions;
        reset_rule_settings(folder);
        delete_rule(folder);
        return std::equal(read.begin(), read.end(), rule.actions.begin());
    };
    const memory_host::FaultSweepReport report = sweep.run();
    EXPECT_TRUE(report.ok()) << report.summary();
    EXPECT_GT(report.calls, 80);
}

} // namespace

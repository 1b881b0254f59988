// The reference index on a server with one broken reference of each kind:
// what it finds, what resolves, and how it follows the folders when they
// change underneath.

#include "script-setup/references/reference-index.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"
#include "tests/support/sweep-check.h"

#include <functional>

using namespace references;

namespace {

const char *const server_file = "references/server.json";
const std::string scripts = "/DEMO/scripts/";

// "Old rule: schedule 'Day shift' (activation)" for each broken reference,
// sorted.
std::vector<std::string> broken_lines(const ReferenceIndex &index)
{
    std::vector<std::string> out;
    for (const Broken &b : index.broken()) {
        std::string where = place_name(b.reference.place);
        if (b.reference.place != ACTIVATION)
            where += " " + std::to_string(b.reference.index + 1);
        out.push_back(b.referrer->name + ": " + kind_name(b.reference.kind) + " '" +
                      b.reference.value + "' (" + where + ")");
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> user_names(const std::vector<const Referrer *> &users)
{
    std::vector<std::string> out;
    for (const Referrer *r : users)
        out.push_back(r->name);
    return out;
}

class Index : public PageTest
{
protected:
    void SetUp() override { load_tree_file(tree, server_file); }
    boost::shared_ptr<ReferenceIndex> index()
    {
        auto made = ReferenceIndex::of_server(host.server_root());
        settle_events();
        return made;
    }
};

std::vector<std::string> sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

const std::vector<std::string> broken_at_start = sorted({
    "Old rule: schedule 'Day shift' (activation)",
    "Old rule: e-mail account '{AGONE}' (action 1)",
    "Old rule: channel '{CZ}' (action 2)",
    "Old rule: settings path 'nowhere/x/y' (action 5)",
    "Lobby: template '{TGONE}' (loop element 2)",
    "Weekend: channel '{CGONE}' (channels 1)",
});

std::vector<std::string> with(std::vector<std::string> lines, const std::string &added,
                              const std::string &removed = std::string())
{
    if (!removed.empty())
        lines.erase(std::find(lines.begin(), lines.end(), removed));
    if (!added.empty())
        lines.push_back(added);
    return sorted(lines);
}

TEST_F(Index, FindsEveryKindAndResolvesWhatExists)
{
    auto made = index();
    // Objects and sounds are not known before the services' lists arrive.
    EXPECT_EQ(broken_at_start, broken_lines(*made));
    made->set_objects({"Siren"});
    made->set_sounds({"bell.wav"});
    EXPECT_EQ(with(with(broken_at_start, "Old rule: object 'Ghost' (action 3)"),
                   "Old rule: sound 'gone.wav' (action 4)"),
              broken_lines(*made));

    EXPECT_EQ((std::vector<std::string>{"Door alarm", "Panic button"}),
              user_names(made->users_of(SCHEDULE, "Night shift")));
    EXPECT_EQ((std::vector<std::string>{"Door alarm"}),
              user_names(made->users_of(EMAIL_ACCOUNT, "{A1}")));
    EXPECT_EQ((std::vector<std::string>{"Lobby"}), user_names(made->users_of(TEMPLATE, "{T1}")));
    // One index per server: the second page gets the same one.
    EXPECT_EQ(made, ReferenceIndex::of_server(host.server_root()));
    EXPECT_EQ(0, tree.lock_balance());
}

// What changes underneath, and which references it breaks or mends.
struct Change
{
    const char *what;
    std::function<void(memory_host::MemoryTree &)> change;
    std::vector<std::string> broken_after;
};

TEST_F(Index, FollowsTheFoldersThatChangeUnderneath)
{
    const std::vector<Change> changes = {
        {"schedule renamed",
         [](memory_host::MemoryTree &t) { t.put_string(scripts + "{S1}", "name", "Nights"); },
         with(with(broken_at_start, "Door alarm: schedule 'Night shift' (activation)"),
              "Panic button: schedule 'Night shift' (activation)")},
        {"schedule deleted", [](memory_host::MemoryTree &t) { t.erase(scripts + "{S1}"); },
         with(with(broken_at_start, "Door alarm: schedule 'Night shift' (activation)"),
              "Panic button: schedule 'Night shift' (activation)")},
        {"missing schedule created",
         [](memory_host::MemoryTree &t) {
             t.make_folder(scripts + "{S3}", "Schedule");
             t.put_string(scripts + "{S3}", "name", "Day shift");
         },
         with(broken_at_start, "", "Old rule: schedule 'Day shift' (activation)")},
        {"account deleted", [](memory_host::MemoryTree &t) { t.erase(scripts + "{A1}"); },
         with(broken_at_start, "Door alarm: e-mail account '{A1}' (action 1)")},
        {"channel deleted", [](memory_host::MemoryTree &t) { t.erase("/DEMO/channels/{C1}"); },
         with(with(with(broken_at_start, "Night shift: channel '{C1}' (channels 1)"),
                   "Lobby: channel '{C1}' (loop element 3)"),
              "Panic button: channel '{C1}' (action 1)")},
        {"template deleted", [](memory_host::MemoryTree &t) { t.erase("/DEMO/templates/{T1}"); },
         with(broken_at_start, "Lobby: template '{T1}' (loop element 1)")},
        {"rule saved with an existing schedule",
         [](memory_host::MemoryTree &t) {
             t.put_string(scripts + "{R3}", "activation_list", "Night shift");
         },
         with(broken_at_start, "", "Old rule: schedule 'Day shift' (activation)")},
        {"loop deleted", [](memory_host::MemoryTree &t) { t.erase(scripts + "{L1}"); },
         with(broken_at_start, "", "Lobby: template '{TGONE}' (loop element 2)")},
    };
    for (const Change &c : changes) {
        memory_host::MemoryHost fresh;
        load_tree_file(fresh.tree(), server_file);
        auto made = ReferenceIndex::of_server(fresh.server_root());
        settle_events();
        c.change(fresh.tree());
        settle_events();
        EXPECT_EQ(c.broken_after, broken_lines(*made)) << c.what;
    }
}

// What one stored rule names, and where: the cases the server's tree above
// does not hold.
TEST(RuleReferences, ReadFromTheStoredKeys)
{
    struct Case
    {
        const char *what;
        rule::StoredRule stored;
        std::vector<std::string> found; // "kind 'value' place index"
    };
    const auto stored = [](int code, QStringList list, QStringList params,
                           std::vector<rule::StoredAction> actions) {
        rule::StoredRule r;
        r.activation_code = code;
        r.activation_list = list;
        r.activation_params = params;
        r.actions = actions;
        return r;
    };
    const Case cases[] = {
        {"event on all objects names none", stored(rule::ON_EVENT, {"Motion"}, {"*"}, {}), {}},
        {"event on objects",
         stored(rule::ON_EVENT, {"Motion"}, {"Cam 1", "Cam 2"}, {}),
         {"object 'Cam 1' activation 0", "object 'Cam 2' activation 0"}},
        {"state change",
         stored(rule::ON_STATE_CHANGE, {"Door"}, {}, {}),
         {"object 'Door' activation 0"}},
        {"channels of this server and of another; a channel id with '_'",
         stored(rule::ON_SHORTCUT, {"F5", ""}, {},
                {{rule::TAKE_SCREENSHOT, "{C1}_DEMO", "0", "o"},
                 {rule::EXPORT_VIDEO, "{C2}_OTHER", "5,ss", "p"},
                 {rule::EXPORT_VIDEO, "cam_7_DEMO", "5,ss", "q"}}),
         {"channel '{C1}' action 0", "channel '{C2}_OTHER' action 1", "channel 'cam_7' action 2"}},
        {"a skipped code does not count as a row, empty values name nothing",
         stored(rule::ON_ACTION_RUN, {""}, {},
                {{7, "", "", ""},
                 {rule::SEND_EMAIL, "", "\na@b.c\n\n\nHi", ""},
                 {rule::PLAY_SOUND, "", "bell.wav", ""}}),
         {"sound 'bell.wav' action 1"}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> found;
        for (const Reference &r : rule_references(c.stored, "DEMO"))
            found.push_back(std::string(kind_name(r.kind)) + " '" + r.value + "' " +
                            place_name(r.place) + " " + std::to_string(r.index));
        EXPECT_EQ(c.found, found) << c.what;
    }
}

// Every refused read is logged, no lock is left held, and the index stays
// usable with what it could read.
TEST(IndexFaults, EveryRefusalIsLoggedAndReleased)
{
    expect_sweep_clean([](memory_host::MemoryTree &t) { load_tree_file(t, server_file); },
                       [](memory_host::MemoryHost &h) {
                           auto made = ReferenceIndex::of_server(h.server_root());
                           settle_events();
                           made->broken();
                           return true;
                       });
}

} // namespace

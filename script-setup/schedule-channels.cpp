#include "script-setup/schedule-channels.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <algorithm>

namespace schedule_page {
namespace {

// A server-wide folder and its children, in one series of each folder.
Settings server_folder(const Settings &server_root, const char *name)
{
    FolderLock guard(server_root);
    return server_root->cd(name, 0);
}

std::vector<std::pair<std::string, Settings>> children_of(const Settings &folder)
{
    std::vector<std::pair<std::string, Settings>> out;
    FolderLock guard(folder);
    for (const std::string &name : folder->ls())
        if (Settings child = folder->subdir(name, 0))
            out.emplace_back(name, child);
    return out;
}

void read_used_elsewhere(const Settings &server_root, const std::string &own_name,
                         std::set<std::string> *used)
{
    std::vector<std::pair<std::string, Settings>> siblings;
    try {
        const Settings scripts = server_folder(server_root, "scripts");
        if (!scripts) {
            VX_LOG(2, "GUI: setup-schedule: Scripts folder not found\n");
            return;
        }
        siblings = children_of(scripts);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        return;
    }
    for (const auto &sibling : siblings) {
        const Settings &other = sibling.second;
        try {
            if (other->type() != "Schedule" || other->name() == own_name)
                continue;
            std::string text;
            int mode = 0;
            {
                FolderLock guard(other);
                text = other->get_string("affected_channels");
                mode = other->get_integer("affect_channels_record_mode");
            }
            if (mode == 1)
                for (const std::string &guid : split_guids(text))
                    used->insert(guid);
        } catch (const std::exception &e) {
            VX_LOG(2, "GUI: setup-schedule: cannot read scheduler %s: %s\n", sibling.first.c_str(),
                   e.what());
        }
    }
}

void read_channel_rows(const Settings &server_root, ScheduleChannels *out)
{
    std::vector<std::pair<std::string, Settings>> channels;
    try {
        const Settings folder = server_folder(server_root, "channels");
        if (!folder) {
            VX_LOG(2, "GUI: setup-schedule: channels folder not found\n");
            return;
        }
        channels = children_of(folder);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        return;
    }
    const std::set<std::string> own(out->own.begin(), out->own.end());
    out->rows.reserve(channels.size());
    for (const auto &channel : channels) {
        ChannelRow row;
        row.guid = channel.first;
        try {
            const int rights = channel.second->rights();
            int zombie = 0;
            {
                FolderLock guard(channel.second);
                row.name = from_utf8(channel.second->get_string("name"));
                zombie = channel.second->get_integer("archive_zombie_flag");
            }
            if (zombie == 1)
                continue;
            row.may_edit = (rights & 4) != 0;
        } catch (const std::exception &e) {
            VX_LOG(2, "GUI: setup-schedule: cannot read channel: %s\n", e.what());
            continue;
        }
        row.checked = own.count(row.guid) != 0;
        row.used_elsewhere = out->used_elsewhere.count(row.guid) != 0;
        out->rows.push_back(std::move(row));
    }
}

} // namespace

std::vector<std::string> split_guids(const std::string &text)
{
    std::vector<std::string> out;
    std::set<std::string> seen;
    std::string::size_type begin = 0;
    while (begin <= text.size()) {
        std::string::size_type end = text.find(',', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string guid = text.substr(begin, end - begin);
        if (!guid.empty() && seen.insert(guid).second)
            out.push_back(std::move(guid));
        begin = end + 1;
    }
    return out;
}

std::string join_guids(const std::vector<std::string> &guids)
{
    std::string out;
    for (const std::string &guid : guids) {
        if (!out.empty())
            out += ',';
        out += guid;
    }
    return out;
}

QTime time_of_second(int second)
{
    if (second >= 86400)
        return QTime(23, 59, 59);
    return QTime(0, 0).addSecs(std::max(0, second));
}

int second_of_time(const QTime &time)
{
    if (!time.isValid())
        return 0;
    if (time == QTime(23, 59, 59))
        return 86400;
    return time.msecsSinceStartOfDay() / 1000;
}

ScheduleChannels read_schedule_channels(const Settings &schedule, const Settings &server_root)
{
    ScheduleChannels out;
    std::string own_name;
    bool named = false;
    try {
        own_name = schedule->name();
        named = true;
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
    try {
        FolderLock guard(schedule);
        out.own = split_guids(schedule->get_string("affected_channels"));
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: setup-schedule: cannot read scheduler %s: %s\n", own_name.c_str(),
               e.what());
    }
    // Without its own name the page would count itself as another schedule.
    if (named)
        read_used_elsewhere(server_root, own_name, &out.used_elsewhere);

    const auto taken = std::remove_if(out.own.begin(), out.own.end(), [&](const std::string &g) {
        return out.used_elsewhere.count(g) != 0;
    });
    if (taken != out.own.end()) {
        out.own.erase(taken, out.own.end());
        try {
            FolderLock guard(schedule);
            schedule->set_string("affected_channels", join_guids(out.own));
        } catch (const std::exception &e) {
            VX_LOG(2, "GUI: setup-schedule: cannot write to scheduler: %s\n", e.what());
        }
    }
    read_channel_rows(server_root, &out);
    return out;
}

bool read_schedule_state(const Settings &schedule, std::vector<std::string> *own, int *mode)
{
    try {
        FolderLock guard(schedule);
        const std::string text = schedule->get_string("affected_channels");
        *mode = schedule->get_integer("affect_channels_record_mode");
        *own = split_guids(text);
        return true;
    } catch (const std::exception &e) {
        std::string name;
        try {
            name = schedule->name();
        } catch (const std::exception &) {
            // The message still names the refusal.
        }
        VX_LOG(2, "GUI: setup-schedule: cannot read scheduler %s: %s\n", name.c_str(), e.what());
        return false;
    }
}

} // namespace schedule_page

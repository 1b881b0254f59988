#pragma once
// Rules written as JSON (tests/data/rule/cases.json), and python3 to read
// scripts back.

#include "script-setup/rule/rule.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace rule_test {

using namespace rule;

// Every member named as in the value; an absent activation is "F5".
inline Rule rule_from_json(const QJsonObject &json)
{
    Rule r;
    r.server_name = QStringLiteral("DEMO");
    const QJsonObject a = json.contains("activation")
                              ? json["activation"].toObject()
                              : QJsonObject{{"code", 1}, {"shortcut", "F5"}};
    r.activation.code = a["code"].toInt();
    const std::pair<const char *, QString Activation::*> texts[] = {
        {"shortcut", &Activation::shortcut},       {"panel_shortcut", &Activation::panel_shortcut},
        {"settings", &Activation::settings},       {"state_objects", &Activation::state_objects},
        {"event_types", &Activation::event_types}, {"objects", &Activation::objects},
        {"schedule", &Activation::schedule},       {"zone", &Activation::zone}};
    for (const auto &t : texts)
        r.activation.*t.second = a[t.first].toString();
    r.activation.all_objects = a["all_objects"].toBool(true);
    for (const QJsonValue &c : json["conditions"].toArray())
        r.conditions.push_back({c[0].toString(), c[1].toBool()});
    for (const QJsonValue &o : json["known_objects"].toArray())
        r.known_objects.push_back({o[0].toString(), o[1].toString()});
    for (const QJsonValue &v : json["actions"].toArray()) {
        Action x;
        const std::pair<const char *, QString Action::*> strings[] = {
            {"object", &Action::object},
            {"method", &Action::method},
            {"sound", &Action::sound},
            {"channel", &Action::channel},
            {"channel_name", &Action::channel_name},
            {"setting", &Action::setting},
            {"setting_type", &Action::setting_type},
            {"setting_value", &Action::setting_value},
            {"account", &Action::account},
            {"recipients", &Action::recipients},
            {"subject", &Action::subject},
            {"message", &Action::message},
            {"output_name", &Action::output_name}};
        for (const auto &s : strings)
            x.*s.second = v[s.first].toString();
        for (const auto &n :
             {std::make_pair("code", &Action::code), std::make_pair("seconds", &Action::seconds),
              std::make_pair("report", &Action::report),
              std::make_pair("interval", &Action::interval)})
            if (v[n.first].isDouble())
                x.*n.second = v[n.first].toInt();
        x.substream = v["substream"].toBool();
        for (const QJsonValue &name : v["attachments"].toArray())
            x.attachments << name.toString();
        for (const QJsonValue &p : v["parameters"].toArray())
            x.parameters.push_back({p[0].toString(), p[1].toString(), p[2].toString()});
        r.actions.push_back(x);
    }
    return r;
}

// A group of tests/data/rule/cases.json.
inline QJsonValue cases(const char *group)
{
    QFile file(QStringLiteral(VX_TEST_DATA_DIR "/rule/cases.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll())[group];
}

// Runs a Python script of this folder with the arguments; python3 is part
// of the build's dependencies, so a missing one fails the test.
inline QByteArray run_python_file(const char *script, const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("python3"),
                  QStringList{QStringLiteral(VX_SOURCE_DIR "/tests/script-setup/rule/") + script} +
                      arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << process.errorString().toStdString();
    EXPECT_EQ(0, process.exitCode()) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

} // namespace rule_test

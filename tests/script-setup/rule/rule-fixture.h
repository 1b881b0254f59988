#pragma once
// Rules built the way the page fills them, and python3 to read scripts back.

#include "script-setup/rule/rule.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace rule_test {

using namespace rule;

inline Action act(int code)
{
    Action a;
    a.code = code;
    return a;
}
inline Action wait_s(int seconds)
{
    Action a = act(WAIT);
    a.seconds = seconds;
    return a;
}
inline Action sound(const QString &file)
{
    Action a = act(PLAY_SOUND);
    a.sound = file;
    return a;
}
// EXPORT_VIDEO or TAKE_SCREENSHOT
inline Action shot(int code, const QString &channel, const QString &name, int seconds,
                   const QString &output)
{
    Action a = act(code);
    a.channel = channel;
    a.channel_name = name;
    a.seconds = seconds;
    a.output_name = output;
    return a;
}
inline Action mail(const QString &to, const QString &subject, const QStringList &attachments,
                   const QString &message)
{
    Action a = act(SEND_EMAIL);
    a.account = QStringLiteral("acc1");
    a.recipients = to;
    a.subject = subject;
    a.attachments = attachments;
    a.message = message;
    return a;
}
inline Action report(int type, int interval, const QString &output)
{
    Action a = act(POS_REPORT);
    a.report = type;
    a.interval = interval;
    a.output_name = output;
    return a;
}
inline Action call(const QString &object, const QString &method,
                   std::vector<MethodParameter> parameters = {})
{
    Action a = act(CALL_METHOD);
    a.object = object;
    a.method = method;
    a.parameters = std::move(parameters);
    return a;
}
inline Action setting(const QString &label, const QString &type, const QString &value)
{
    Action a = act(CHANGE_SETTINGS);
    a.setting = label;
    a.setting_type = type;
    a.setting_value = value;
    return a;
}

inline Rule on_shortcut(std::vector<Action> actions, const QString &shortcut = "F5")
{
    Rule r;
    r.activation.code = ON_SHORTCUT;
    r.activation.shortcut = shortcut;
    r.actions = std::move(actions);
    r.server_name = QStringLiteral("DEMO");
    return r;
}

// Runs python3 with the program and arguments; python3 is part of the
// build's dependencies, so a missing one fails the test.
inline QByteArray run_python(const QString &program, const QStringList &args)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    EXPECT_FALSE(python.isEmpty()) << "python3 not found";
    QProcess process;
    process.start(python, QStringList{QStringLiteral("-c"), program} + args);
    EXPECT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(0, process.exitCode()) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

} // namespace rule_test

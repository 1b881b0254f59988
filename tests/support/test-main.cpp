// Test main shared by every test program: a QApplication on the offscreen
// platform, and a message handler that fails the running test on any Qt
// warning it was not told to expect.

#include "tests/support/qt-messages.h"

#include <QApplication>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::mutex messages_mutex;
std::vector<std::string> expected_patterns;
std::vector<std::string> unexpected_messages;

void handler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    const std::string text = message.toStdString();
    std::lock_guard<std::mutex> guard(messages_mutex);
    for (const auto &pattern : expected_patterns)
        if (text.find(pattern) != std::string::npos)
            return;
    // Font and platform chatter of the offscreen plugin is not ours to fix.
    if (text.find("QFont") != std::string::npos ||
        text.find("propagateSizeHints") != std::string::npos ||
        text.find("This plugin does not support") != std::string::npos)
        return;
    unexpected_messages.push_back(text);
    fprintf(stderr, "Unexpected Qt message: %s\n", text.c_str());
}

class QtMessageListener : public testing::EmptyTestEventListener
{
    void OnTestEnd(const testing::TestInfo &) override
    {
        std::vector<std::string> found;
        {
            std::lock_guard<std::mutex> guard(messages_mutex);
            found.swap(unexpected_messages);
        }
        for (const auto &m : found)
            ADD_FAILURE() << "Unexpected Qt warning: " << m;
    }
};

} // namespace

ExpectQtMessage::ExpectQtMessage(const std::string &pattern)
    : pattern_(pattern)
{
    std::lock_guard<std::mutex> guard(messages_mutex);
    expected_patterns.push_back(pattern);
}

ExpectQtMessage::~ExpectQtMessage()
{
    std::lock_guard<std::mutex> guard(messages_mutex);
    for (auto it = expected_patterns.begin(); it != expected_patterns.end(); ++it)
        if (*it == pattern_) {
            expected_patterns.erase(it);
            break;
        }
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt warns at start-up without a private runtime directory.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/vx-runtime-" + QByteArray::number(getuid());
        mkdir(dir.constData(), 0700);
        chmod(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    qInstallMessageHandler(handler);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new QtMessageListener);
    return RUN_ALL_TESTS();
}

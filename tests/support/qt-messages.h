#pragma once
#include <string>

// While alive, Qt warnings containing the pattern do not fail the test.
class ExpectQtMessage
{
public:
    explicit ExpectQtMessage(const std::string &pattern);
    ~ExpectQtMessage();

private:
    std::string pattern_;
};

// The header expressions as the scripts' authors wrote them, run over an
// iterator that counts its steps: the expressions backtrack without end on
// some ordinary headers, and a page must never freeze on one.

#include "script-setup/script/script-header.h"

#include <boost/regex.hpp>
#include <cstddef>
#include <iterator>
#include <stdexcept>
#include <string>

namespace script_header {
namespace {

struct StepBudgetExceeded : std::runtime_error
{
    StepBudgetExceeded()
        : std::runtime_error("step budget exceeded")
    {}
};

// A bidirectional iterator over the text that throws once the matcher has
// moved more often than the budget allows.
class BudgetIterator
{
public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char *;
    using reference = const char &;

    BudgetIterator() = default;
    BudgetIterator(const char *p, long *budget)
        : p_(p)
        , budget_(budget)
    {}
    reference operator*() const { return *p_; }
    pointer operator->() const { return p_; }
    BudgetIterator &operator++()
    {
        spend();
        ++p_;
        return *this;
    }
    BudgetIterator operator++(int)
    {
        BudgetIterator old = *this;
        ++*this;
        return old;
    }
    BudgetIterator &operator--()
    {
        spend();
        --p_;
        return *this;
    }
    BudgetIterator operator--(int)
    {
        BudgetIterator old = *this;
        --*this;
        return old;
    }
    bool operator==(const BudgetIterator &o) const { return p_ == o.p_; }
    bool operator!=(const BudgetIterator &o) const { return p_ != o.p_; }
    const char *base() const { return p_; }

private:
    void spend()
    {
        if (--*budget_ < 0)
            throw StepBudgetExceeded();
    }

    const char *p_ = nullptr;
    long *budget_ = nullptr;
};

// Ordinary scripts take about one step per character (four in short ones);
// a match that needs far more is backtracking without end.
long budget_for(size_t size)
{
    return 4 * static_cast<long>(size) + 10000;
}

// The header comment and the docstring; what split_expression adds after
// them matches any text, so a match of this part at the start of the text
// holds the same groups and reads only as far as the docstring.
const char docstring_part[] =
    "(([\\t\\n \\r]*(#[^\\n]*)?[\\n])*)"
    "((\"\"\"(.*?)\"\"\")|('''(.*?)''')|(\"([^\\n\"]*)\")|('([^\\n]*)'))?";

const boost::regex &split_expression()
{
    static const boost::regex re(
        std::string(docstring_part) +
            "([\\n]*resources.*vxutils\\.resources_check\\(script_path, resources\\)[\\n]*)?"
            "(.*)",
        boost::regex::perl | boost::regex::mod_s);
    return re;
}

const boost::regex &docstring_expression()
{
    static const boost::regex re(docstring_part, boost::regex::perl | boost::regex::mod_s);
    return re;
}

// The description expression without its trailing ".*", likewise.
const boost::regex &description_expression()
{
    static const boost::regex re("([\\n\\r\\t ]*\\n)*((#[^\\n]*\\n)+)",
                                 boost::regex::perl | boost::regex::mod_s);
    return re;
}

std::string group(const boost::match_results<BudgetIterator> &m, int n)
{
    if (!m[n].matched)
        return std::string();
    return std::string(m[n].first.base(), m[n].second.base());
}

enum class Outcome { MATCHED, NO_MATCH, GAVE_UP };

// Runs a match of the whole text (or with `prefix`, of its start) under the
// budget; every exception of the matcher (complexity, stack, budget, memory)
// is a give-up.
Outcome match(const std::string &text, const boost::regex &re,
              boost::match_results<BudgetIterator> &m, std::string *failure, bool prefix = false)
{
    long budget = budget_for(text.size());
    const char *data = text.data();
    const BudgetIterator begin(data, &budget), end(data + text.size(), &budget);
    try {
        const bool matched = prefix
                                 ? boost::regex_search(begin, end, m, re, boost::match_continuous)
                                 : boost::regex_match(begin, end, m, re);
        return matched ? Outcome::MATCHED : Outcome::NO_MATCH;
    } catch (const std::exception &e) {
        if (failure)
            *failure = e.what();
    } catch (...) {
        if (failure)
            *failure = "unknown failure";
    }
    return Outcome::GAVE_UP;
}

} // namespace

namespace expression {

bool split(const std::string &text, Parts &out, std::string *failure)
{
    boost::match_results<BudgetIterator> m;
    const Outcome outcome = match(text, split_expression(), m, failure);
    if (outcome == Outcome::NO_MATCH && failure)
        *failure = "no match";
    if (outcome != Outcome::MATCHED)
        return false;
    out.header_comment = group(m, 1);
    out.docstring = group(m, 4);
    out.resources_block = group(m, 13);
    out.body = group(m, 14);
    return true;
}

bool docstring(const std::string &text, std::string &out, std::string *failure)
{
    boost::match_results<BudgetIterator> m;
    const Outcome outcome = match(text, docstring_expression(), m, failure, true);
    if (outcome == Outcome::NO_MATCH && failure)
        *failure = "no match";
    if (outcome != Outcome::MATCHED)
        return false;
    out = group(m, 4);
    return true;
}

bool comment_block(const std::string &text, std::string &out, std::string *failure)
{
    boost::match_results<BudgetIterator> m;
    const Outcome outcome = match(text, description_expression(), m, failure, true);
    if (outcome == Outcome::GAVE_UP)
        return false;
    out = outcome == Outcome::MATCHED ? group(m, 2) : std::string();
    return true;
}

} // namespace expression
} // namespace script_header

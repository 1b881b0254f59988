// Opening and closing pages again and again leaves the sandbox's memory
// where it was: nothing of a closed page stays behind in the host, its call
// log, the services or the icon caches.

#include "tests/sandbox/sandbox-fixture.h"

#include <algorithm>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator, which takes over malloc, counts for itself.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes handed out by the allocator and not yet freed.
long allocated_bytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long>(mallinfo2().uordblks);
#endif
}

using SandboxMemory = SandboxTest;

TEST_F(SandboxMemory, FourHundredPagesTakeNoMoreThanTheirFirstTwenty)
{
    start();
    session->tree().set_call_log_size(0); // as the sandbox runs
    // The folders whose type has a page, the scripts folder first.
    std::vector<QString> folders = {QString::fromStdString(scripts())};
    for (const std::string &type : session->host().pages().registered_types())
        for (const std::string &path : objects_of(type))
            folders.push_back(QString::fromStdString(path));
    ASSERT_GE(folders.size(), 8u);
    long warm = 0;
    long highest = 0;
    for (int n = 1; n <= 400; ++n) {
        ASSERT_TRUE(window->open_folder(folders[n % folders.size()]));
        session->settle();
        window->close_page();
        session->settle();
        const long bytes = allocated_bytes();
        if (n == 20)
            warm = bytes;
        highest = n > 20 ? std::max(highest, bytes) : 0;
    }
    EXPECT_LT(highest - warm, 128 * 1024) << "after 20 pages: " << warm;
}

} // namespace

#pragma once
// Holds a folder's lock for one series of reads or writes; the lock is given
// back on every path out, exceptions included. If lock() itself throws, no
// unlock is sent.

#include "plugin/rizurividuvez.h"

class FolderLock
{
public:
    explicit FolderLock(const Settings &folder)
        : folder_(folder)
    {
        folder_->lock();
    }
    ~FolderLock()
    {
        try {
            folder_->unlock();
        } catch (...) {
            // unlock must not throw; if a host breaks that, keep the page alive.
        }
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    Settings folder_;
};

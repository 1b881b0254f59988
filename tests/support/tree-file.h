#pragma once
// Fills a tree from a JSON file under tests/data.

#include "memory-host/tree-json.h"

#include <QFile>
#include <gtest/gtest.h>

inline void load_tree_file(memory_host::MemoryTree &tree, const char *name)
{
    QFile file(QStringLiteral(VX_TEST_DATA_DIR "/") + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    std::string error;
    ASSERT_TRUE(memory_host::load_tree_json(tree, file.readAll().toStdString(), &error)) << error;
}

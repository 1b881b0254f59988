#pragma once
// A whole settings tree as JSON, for fixtures and the sandbox's tree files.
//
// A folder is an object {"type": T, "rights": R, "keys": {...}, "folders": {...}}
// (every member optional). A key is a JSON string (text), a JSON integer, or
// an object {"s"|"i"|"r": value, "writable": bool, "bindable": bool}; reals
// are always written in the object form.

#include "memory-host/memory-tree.h"

#include <string>

namespace memory_host {

// Replaces the tree's content below the root with the document's. Returns
// false and sets *error (when given) on malformed input; the tree is then
// left as it was.
bool load_tree_json(MemoryTree &tree, const std::string &text, std::string *error = nullptr);
std::string save_tree_json(MemoryTree &tree);

} // namespace memory_host

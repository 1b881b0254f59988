#pragma once
// A whole settings tree as JSON, for fixtures and the sandbox's tree files.
//
// A folder is an object {"type": T, "rights": R, "keys": {...}, "folders": {...}}
// (every member optional). A key is a JSON string (text), a JSON integer, or
// an object {"s"|"i"|"r": value, "writable": bool, "bindable": bool}; reals
// are always written in the object form.

#include "memory-host/memory-tree.h"

#include <string>

namespace Json {
class Value;
}

namespace memory_host {

// Reads one JSON document as tree files hold it: nesting is bounded (a
// deeper document is refused, not a stack overflow) and nothing but white
// space may follow the value, so that a save never drops what a reader
// skipped. Never throws; *error (when given) says what is wrong and where.
bool read_json_document(const std::string &text, Json::Value &out, std::string *error);

// Replaces the tree's content below the root with the document's. Returns
// false and sets *error (when given) on malformed input; the tree is then
// left as it was.
bool load_tree_json(MemoryTree &tree, const std::string &text, std::string *error = nullptr);
std::string save_tree_json(MemoryTree &tree);
// The folder as the document save_tree_json writes, for callers that add
// members of their own.
Json::Value tree_json_value(const FolderSnapshot &folder);

} // namespace memory_host

#pragma once
#include <string>

// The path of an existing file: the path itself, or a file in the same folder
// whose name matches it but for case. Empty when there is none.
std::string findFileIgnoringCase(const std::string& path);

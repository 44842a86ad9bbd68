#pragma once

// Parts of the program kept in modules of their own, because the libraries they link would
// cost every start more than the part is needed then: a module is opened by its file name,
// found beside the program's libraries, when it is first used, and stays loaded to the end.
namespace programmodule {

// The entry point entryName of the module fileName, or nullptr when the module or its entry
// point cannot be found; why is then written to stderr.
void* entry(const char* fileName, const char* entryName);

}  // namespace programmodule

#pragma once
// A system library opened when it is first needed instead of when the program
// starts. Sound and printing pull in some fifty libraries between them, and
// loading them all before the program's own code ran held up the menu's first
// paint. Each user lists the functions it calls in an X-macro and gets them as
// a table of pointers typed from the library's own headers:
//
//     #define CUPS_FUNCTIONS(X) X(cupsServer) X(httpConnect2) ...
//     struct Cups { CUPS_FUNCTIONS(QUENVALE_LIBRARY_FUNCTION) };
//     const Cups* cups() {
//         return loadSystemLibrary<Cups>("libcups.so.2", [](const SystemLibrary& lib, Cups& table) {
//             return CUPS_FUNCTIONS(QUENVALE_BIND_FUNCTION) true;
//         });
//     }
//
// The library is loaded at the first call only, once even when several
// threads ask at once, and stays loaded until the program ends: its threads
// and callbacks may still run.
#include <dlfcn.h>

// clang-format off
// One member of a table: a pointer of the function's own type, named as the function.
#define QUENVALE_LIBRARY_FUNCTION(name) decltype(&::name) name = nullptr;
// One link of a binder's chain (lib, table): the chain stops at the first missing name.
#define QUENVALE_BIND_FUNCTION(name) lib.bind(table.name, #name) &&
// clang-format on

class SystemLibrary {
public:
    explicit SystemLibrary(const char* soname) : handle_(dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}
    bool loaded() const { return handle_ != nullptr; }
    template <class Function>
    bool bind(Function& fn, const char* name) const {
        // POSIX makes the address dlsym gives for a function callable.
        fn = reinterpret_cast<Function>(dlsym(handle_, name));
        return fn != nullptr;
    }

private:
    void* handle_;
};

// The table of Functions from soname, or nullptr when the library or one of
// its functions is missing.
template <class Functions, class Binder>
const Functions* loadSystemLibrary(const char* soname, Binder bindAll) {
    static const Functions* const loaded = [&]() -> const Functions* {
        static Functions table;
        const SystemLibrary lib(soname);
        return lib.loaded() && bindAll(lib, table) ? &table : nullptr;
    }();
    return loaded;
}

#pragma once

#include <mutex>

namespace midi::detail {

// A C library the program does not link, because loading it and what it brings costs a
// start more than the program needs it then: it is opened by its SONAME when first needed,
// and its calls are found by name. Declared under the library's own names as LibraryCall
// constants (see fluidlibrary.h), the calls are made by code in this namespace as it would
// call the linked library.
class DynamicLibrary {
public:
    DynamicLibrary(const char* soname, const char* const* names, void** addresses, int count)
        : soname_(soname), names_(names), addresses_(addresses), count_(count) {}

    // Opens the library and finds every call, once; false when that failed, after which
    // none of them may be made. The library is never closed: its threads may run to the end.
    bool load();
    const char* soname() const { return soname_; }

private:
    const char* soname_;
    const char* const* names_;
    void** addresses_;
    int count_;
    std::once_flag once_;
    bool loaded_ = false;
};

// A call through the address found for it in Table. decltype of the library's declaration
// gives its type without referring to its symbol, so nothing needs the library at link time.
template <typename Signature, auto& Table, int Call>
struct LibraryCall;

template <typename R, typename... Arguments, auto& Table, int Call>
struct LibraryCall<R(Arguments...), Table, Call> {
    R operator()(Arguments... arguments) const {
        return reinterpret_cast<R (*)(Arguments...)>(Table[Call])(arguments...);
    }
};

// A call with optional arguments is made with its fixed ones only.
template <typename R, typename... Arguments, auto& Table, int Call>
struct LibraryCall<R(Arguments..., ...), Table, Call> {
    R operator()(Arguments... arguments) const {
        return reinterpret_cast<R (*)(Arguments..., ...)>(Table[Call])(arguments...);
    }
};

// Declares the calls CALLS(X) lists under their own names, in the namespace this is used in,
// with their indices, names and address table in the namespace BEATLOFT_LIBRARY_SPACE names.
#define BEATLOFT_LIBRARY_INDEX(name) name,
#define BEATLOFT_LIBRARY_NAME(name) #name,
#define BEATLOFT_LIBRARY_CALL(name)                                                   \
    inline constexpr LibraryCall<decltype(::name), BEATLOFT_LIBRARY_SPACE::addresses, \
                                 BEATLOFT_LIBRARY_SPACE::name>                        \
        name{};
#define BEATLOFT_DECLARE_LIBRARY(CALLS)                                    \
    namespace BEATLOFT_LIBRARY_SPACE {                                     \
    enum Index { CALLS(BEATLOFT_LIBRARY_INDEX) kCount };                   \
    inline constexpr const char* names[] = {CALLS(BEATLOFT_LIBRARY_NAME)}; \
    inline void* addresses[kCount] = {};                                   \
    }                                                                      \
    CALLS(BEATLOFT_LIBRARY_CALL)

}  // namespace midi::detail
